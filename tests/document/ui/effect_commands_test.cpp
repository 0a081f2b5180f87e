#include "app/ui/editor_qt_support.h"
#include "controls/ui/range_edit.h"
#include "document/ui/document_fixture.h"
#include "document/update_hints.h"
#include "effects/dialogs/value_dialog.h"
#include "resources/command_ids.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTimer>

#include <functional>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class EffectCommandsTest : public QtApplicationFirst, public DocumentFixture {
protected:
    /// A sound made of given 16-bit frames (tracks interleaved), the block over frames first..last.
    void MakeSound16(uint32_t tracks, const std::vector<int16_t>& samples, int32_t first, int32_t last,
                     uint32_t rate = 8000) {
        MakeSound(tracks, 0, 16, rate);
        ASSERT_TRUE(doc->GetStore()->AppendData(samples.data(), uint32_t(samples.size() * 2)));
        doc->SetBlock(first, last);
    }

    /// Runs a command of a function in beginner mode and chooses the menu entry with the given text;
    /// returns the entries the menu offered.
    QStringList RunWithPreset(uint32_t id, const QString& entry) {
        QStringList entries;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                entries << action->text();
                if (action->text() == entry) {
                    chosen = action;
                }
            }
            if (chosen) {
                menu->setActiveAction(chosen);
                SendKey(menu, Qt::Key_Return);
            } else {
                SendKey(menu, Qt::Key_Escape);
            }
        });
        Run(id);
        return entries;
    }

    /// Runs a step on the modal dialog once it is open.
    static void WhenDialogOpen(std::function<void(QWidget&)> step) {
        QTimer::singleShot(0, [step = std::move(step)] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            step(*dialog);
        });
    }
};

TEST_F(EffectCommandsTest, BeginnerVolumeIncreaseTwiceThenTheDialogStartsAt120) {
    MakeSound16(1, {1000, 1000, 1000, 1000}, 0, 3);
    EXPECT_EQ(RunWithPreset(cmd::kVolumeRaiseLower, "&Increase"), (QStringList{"&Decrease", "&Increase"}));
    EXPECT_EQ(Track16(*doc->GetStore(), 0), std::vector<int16_t>(4, 1200));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(log->Take().back().first, HINT_DATA);
    RunWithPreset(cmd::kVolumeRaiseLower, "&Increase");
    EXPECT_EQ(Track16(*doc->GetStore(), 0), std::vector<int16_t>(4, 1440));
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 1u); // the undo count setting is 1
    EXPECT_EQ(g_settings.edit.effects.volume.volume, 120);

    g_settings.desktop.expertMode = 1;
    QString shown;
    WhenDialogOpen([&](QWidget& dialog) {
        auto& valueDialog = dynamic_cast<CValueDialog&>(dialog);
        shown = valueDialog.Edit()->Field()->text();
        SendKey(valueDialog.Edit()->Field(), Qt::Key_Escape);
    });
    Run(cmd::kVolumeRaiseLower);
    EXPECT_EQ(shown, "120");
    EXPECT_EQ(Track16(*doc->GetStore(), 0), std::vector<int16_t>(4, 1440)); // Cancel ran nothing
}

TEST_F(EffectCommandsTest, BeginnerVolumeIncreaseOnEightBitsClamps) {
    MakeSound(1, 0, 8);
    const std::vector<uint8_t> bytes{228, 228};
    ASSERT_TRUE(doc->GetStore()->AppendData(bytes.data(), 2));
    doc->SetBlock(0, 1);
    RunWithPreset(cmd::kVolumeRaiseLower, "&Increase");
    EXPECT_EQ(Track8(*doc->GetStore(), 0), std::vector<uint8_t>(2, 248));
    RunWithPreset(cmd::kVolumeRaiseLower, "&Increase");
    EXPECT_EQ(Track8(*doc->GetStore(), 0), std::vector<uint8_t>(2, 255));
}

TEST_F(EffectCommandsTest, ClosingTheMenuRunsNothingAndChangesNoSetting) {
    MakeSound16(1, {1000, 1000}, 0, 1);
    const EffectSettings before = g_settings.edit.effects;
    EXPECT_EQ(RunWithPreset(cmd::kEcho, "none"),
              (QStringList{"&Minimum Effect", "&Middle Effect", "Ma&ximum Effect"}));
    EXPECT_EQ(RunWithPreset(cmd::kTremolo, "none"), (QStringList{"&Slow", "&Middle Effect", "&Fast"}));
    EXPECT_EQ(Track16(*doc->GetStore(), 0), std::vector<int16_t>(2, 1000));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);
    EXPECT_EQ(g_settings.edit.effects, before);
}

TEST_F(EffectCommandsTest, MenuItemsShowTheirPrompts) {
    MakeSound16(1, {1000, 1000}, 0, 1);
    QStringList prompts;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            prompts << action->statusTip();
        }
        SendKey(menu, Qt::Key_Escape);
    });
    Run(cmd::kEcho);
    EXPECT_EQ(prompts, (QStringList{"Runs the edit function with minimum effect.",
                                    "Runs the edit function with middle effect. ",
                                    "Runs the edit function with maximum effect."}));
}

TEST_F(EffectCommandsTest, BeginnerEchoMinimumEffect) {
    std::vector<int16_t> impulse(1000, 0);
    impulse[0] = 10000;
    MakeSound16(1, impulse, 0, 999);
    RunWithPreset(cmd::kEcho, "&Minimum Effect");
    const std::vector<int16_t> result = Track16(*doc->GetStore(), 0);
    ASSERT_EQ(result.size(), 3000u);
    std::vector<int16_t> want(3000, 0);
    want[0] = 10000;
    want[400] = 3000;
    want[800] = 2600;
    want[1200] = 2200;
    want[1600] = 1800;
    want[2000] = 1400;
    EXPECT_EQ(result, want);
    EXPECT_EQ(g_settings.edit.effects.echo, (EchoParams{50, 5, 30, 10}));
    EXPECT_EQ(log->Take().back().first, HINT_LENGTH);
}

TEST_F(EffectCommandsTest, BeginnerTremoloFast) {
    MakeSound16(1, std::vector<int16_t>(64, 10000), 0, 63);
    RunWithPreset(cmd::kTremolo, "&Fast");
    const std::vector<int16_t> result = Track16(*doc->GetStore(), 0);
    for (uint32_t n = 0; n < 64; n += 16) {
        EXPECT_EQ(result[n], 10000) << n;
        EXPECT_EQ(result[n + 4], 4300) << n;
        EXPECT_EQ(result[n + 8], 2000) << n;
        EXPECT_EQ(result[n + 12], 4300) << n;
    }
}

TEST_F(EffectCommandsTest, CrossFadeSlowWithBothTracksAndWithOne) {
    std::vector<int16_t> samples;
    for (int n = 0; n < 101; ++n) {
        samples.push_back(1000);
        samples.push_back(-1000);
    }
    MakeSound16(2, samples, 0, 100);
    g_settings.edit.allTracks = 1;
    RunWithPreset(cmd::kCrossFade, "&Slow");
    const std::vector<int16_t> a = Track16(*doc->GetStore(), 0);
    const std::vector<int16_t> b = Track16(*doc->GetStore(), 1);
    for (int n = 0; n < 100; ++n) {
        EXPECT_EQ(a[n], 1000 - 20 * n) << n;
        EXPECT_EQ(b[n], -(1000 - 20 * n)) << n;
    }
    EXPECT_EQ(a[100], 1000);

    // "&All Tracks" off: the check comes before the menu, and nothing is saved or changed
    MakeSound16(2, samples, 0, 100);
    g_settings.edit.allTracks = 0;
    Run(cmd::kCrossFade); // no menu is opened, so nothing is there to choose
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, 1141u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.beeps, std::vector<MsgIcon>{MsgIcon::Stop});
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(Track16(*doc->GetStore(), 0), std::vector<int16_t>(101, 1000));
}

TEST_F(EffectCommandsTest, DistortMaximumEffect) {
    MakeSound16(1, {1000, 16384, -16384, 32767}, 0, 3);
    RunWithPreset(cmd::kDistort, "Ma&ximum Effect");
    EXPECT_EQ(Track16(*doc->GetStore(), 0), (std::vector<int16_t>{16345, 31763, -31763, 32767}));
}

TEST_F(EffectCommandsTest, ImmediateFunctionsRunInBothModes) {
    for (int expert = 0; expert < 2; ++expert) {
        g_settings.desktop.expertMode = expert;
        MakeSound16(1, {100, -200, 300, 400}, 0, 3);
        Run(cmd::kReverse);
        EXPECT_EQ(Track16(*doc->GetStore(), 0), (std::vector<int16_t>{400, 300, -200, 100}));
        Run(cmd::kInvert);
        EXPECT_EQ(Track16(*doc->GetStore(), 0), (std::vector<int16_t>{-400, -300, 200, -100}));
        Run(cmd::kMaximise);
        EXPECT_EQ(Track16(*doc->GetStore(), 0), (std::vector<int16_t>{-32768, -24576, 16384, -8192}));
        Run(cmd::kFadeIn);
        EXPECT_EQ(Track16(*doc->GetStore(), 0)[0], 0);
        Run(cmd::kSilence);
        EXPECT_EQ(Track16(*doc->GetStore(), 0), std::vector<int16_t>(4, 0));
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(host.status[3], "4");
    }
}

TEST_F(EffectCommandsTest, EveryFunctionFollowsTheEditRule) {
    MakeSound16(1, {1, 2}, 0, 1);
    EXPECT_TRUE(Enabled(cmd::kEcho));
    EXPECT_TRUE(Enabled(cmd::kPresetFirst));
    doc->SetBlock(-1, 0);
    EXPECT_FALSE(Enabled(cmd::kEcho));
    EXPECT_FALSE(Enabled(cmd::kChangeLength));
    EXPECT_FALSE(Enabled(cmd::kPresetFirst));
    EXPECT_FALSE(Enabled(cmd::kEqualizer));
}

} // namespace
