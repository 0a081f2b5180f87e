#include "app/ui/editor_qt_support.h"
#include "controls/ui/range_edit.h"
#include "controls/ui/time_edit.h"
#include "document/ui/document_fixture.h"
#include "document/update_hints.h"
#include "effects/dialogs/envelope_dialog.h"
#include "effects/dialogs/value_dialog.h"
#include "effects/effect_arguments.h"
#include "effects/effect_presets.h"
#include "effects/effect_runner.h"
#include "effects/envelope.h"
#include "resources/command_ids.h"
#include "resources/ui/qt_strings.h"
#include "store/temp_paths.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
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

    /// Presses Return in a dialog; a dialog that stays open (a value refused) fails the test and is closed.
    static void PressOk(QWidget& dialog) {
        SendKey(dialog.focusWidget(), Qt::Key_Return);
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the dialog " << dialog.windowTitle().toStdString() << " refused OK";
            static_cast<QDialog&>(dialog).reject();
        }
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

TEST_F(EffectCommandsTest, EnvelopeFadeInFromTheDialogRisesOverItsFirstTenth) {
    MakeSound16(1, std::vector<int16_t>(10000, 10000), 0, 7999);
    g_settings.desktop.expertMode = 1;
    WhenDialogOpen([](QWidget& dialog) {
        auto& envelope = dynamic_cast<CEnvelopeDialog&>(dialog);
        ChooseEntry(envelope.Preferences(), 1); // "Fade In"
        PressOk(dialog);
    });
    Run(cmd::kEnvelope);
    EXPECT_EQ(g_settings.edit.effects.envelope.points,
              (std::vector<EnvelopePoint>{{0, 0}, {102, 100}, {1024, 100}}));
    const std::vector<int16_t> after = Track16(*doc->GetStore(), 0);
    ASSERT_EQ(after.size(), 10000u);
    EXPECT_EQ(after[0], 0);
    EXPECT_EQ(after[400], 5000);
    EXPECT_LT(after[200], after[400]);
    EXPECT_EQ(std::vector<int16_t>(after.begin() + 793, after.end()), std::vector<int16_t>(9207, 10000));
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 1u);
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

namespace {

/// Random 16-bit stereo frames.
std::vector<int16_t> Noise(std::size_t frames, unsigned seed) {
    std::vector<int16_t> samples(frames * 2);
    unsigned state = seed;
    for (int16_t& s : samples) {
        state = state * 1103515245u + 12345u;
        s = int16_t(state >> 16);
    }
    return samples;
}

/// Every function, run from the editor.
class EveryFunction : public EffectCommandsTest, public ::testing::WithParamInterface<int> {
protected:
    EffectKind Kind() const { return EffectKind(GetParam()); }

    /// The bytes the core run (as the batch tool does it) gives for the same sound, block and settings.
    std::vector<uint8_t> CoreRun(const std::vector<int16_t>& samples, const EffectSettings& settings) {
        CSampleStore store;
        EXPECT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, 8000, true));
        EXPECT_TRUE(store.AppendData(samples.data(), uint32_t(samples.size() * 2)));
        EffectRequest request;
        request.kind = Kind();
        request.settings = &settings;
        request.firstFrame = 100;
        request.lastFrame = 3999;
        request.tempStorage = StorageForPath(temp.Path());
        EffectOutcome outcome = RunEffect(store, request, UndoTarget{});
        EXPECT_FALSE(outcome.failed);
        return AllBytes(store);
    }

    /// A two-track sound of noise with both tracks edited and the block 100..3999.
    std::vector<int16_t> MakeNoise(unsigned seed) {
        std::vector<int16_t> samples = Noise(4000, seed);
        MakeSound16(2, samples, 100, 3999);
        g_settings.edit.allTracks = 1;
        return samples;
    }
};

TEST_P(EveryFunction, BeginnerPresetsRunAsTheBatchToolRunsThem) {
    const int presets = PresetCount(Kind());
    const EffectInfo& info = GetEffectInfo(Kind());
    for (int preset = 0; preset < std::max(presets, 1); ++preset) {
        const std::vector<int16_t> samples = MakeNoise(unsigned(GetParam() * 7 + preset));
        EffectParameters wanted;
        ASSERT_EQ(ApplyEffectAssignments(Kind(), presets ? preset : -1,
                                         Kind() == EffectKind::Stretch
                                             ? std::vector<std::string>{"Length=777"}
                                             : std::vector<std::string>{},
                                         wanted),
                  "");
        if (presets > 0) {
            const auto items = PresetMenuItems(info.presetMenu);
            RunWithPreset(info.commandId, LoadQString(items[std::size_t(preset)].labelId));
        } else if (info.hasDialog) {
            // the functions without presets that have a dialog take its values
            g_settings.edit.effects = wanted.settings;
            WhenDialogOpen([&](QWidget& dialog) {
                if (Kind() == EffectKind::Stretch) {
                    auto* length = dialog.findChild<CTimeEdit*>();
                    ASSERT_NE(length, nullptr);
                    ReplaceText(length->Field(0), QStringLiteral("777"));
                }
                PressOk(dialog);
            });
            Run(info.commandId);
        } else {
            Run(info.commandId);
        }
        if (Kind() == EffectKind::Envelope) {
            CompleteEnvelope(wanted.settings.envelope.points); // the dialog stores the completed list
        }
        EXPECT_EQ(AllBytes(*doc->GetStore()), CoreRun(samples, wanted.settings))
            << info.name << " " << preset;
        EXPECT_TRUE(doc->IsModified()) << info.name;
    }
}

TEST_P(EveryFunction, ExpertDialogsStartWithTheSettingsAndEachPreferenceRunsItsValues) {
    const EffectInfo& info = GetEffectInfo(Kind());
    if (!info.hasDialog || OneValueDialogFor(Kind()) || Kind() == EffectKind::Stretch) {
        GTEST_SKIP() << "no preferences list";
    }
    g_settings.desktop.expertMode = 1;
    for (int row = 0; row < 3; ++row) {
        const std::vector<int16_t> samples = MakeNoise(unsigned(GetParam() * 11 + row));
        EffectSettings wanted;
        QString shownTitle;
        WhenDialogOpen([&](QWidget& dialog) {
            shownTitle = dialog.windowTitle();
            auto* preferences = dialog.findChild<QComboBox*>(QStringLiteral("Preferences"));
            ASSERT_NE(preferences, nullptr);
            ASSERT_EQ(preferences->count(), 3);
            ChooseEntry(preferences, row);
            PressOk(dialog);
        });
        Run(info.commandId);
        EXPECT_FALSE(shownTitle.isEmpty());
        // what the preference wrote is now in the settings, and the run used it
        wanted = g_settings.edit.effects;
        if (Kind() != EffectKind::Envelope) {
            EffectSettings expected;
            ASSERT_TRUE(ApplyPreference(Kind(), row, expected));
            VisitEffectParams(Kind(), expected, [&](const ParamSpec& param, int32_t value) {
                EXPECT_EQ(wanted.Get(param), value) << param.key << " row " << row;
            });
        }
        EXPECT_EQ(AllBytes(*doc->GetStore()), CoreRun(samples, wanted)) << info.name << " row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Functions, EveryFunction, ::testing::Range(0, kEffectKindCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(GetEffectInfo(EffectKind(info.param)).name);
                         });

TEST_F(EffectCommandsTest, AnUnchangedAdjustTimeChangesNothing) {
    g_settings.sampleWindow.timeFmt = TIMEFMT_MS;
    MakeSound(1, 0, 16, 44100);
    FillRamp16(*doc->GetStore(), 70000);
    doc->SetBlock(0, 66156);
    WhenDialogOpen([](QWidget& dialog) { PressOk(dialog); });
    Run(cmd::kChangeLength);
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 70000u);
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(EffectCommandsTest, VolumeAtOneHundredKeepsNoUndoStateAndLeavesTheFlag) {
    MakeSound16(1, {1000, -1000}, 0, 1);
    g_settings.desktop.expertMode = 1;
    WhenDialogOpen([](QWidget& dialog) {
        auto& valueDialog = dynamic_cast<CValueDialog&>(dialog);
        ReplaceText(valueDialog.Edit()->Field(), QStringLiteral("100"));
        SendKey(valueDialog.Edit()->Field(), Qt::Key_Return);
    });
    Run(cmd::kVolumeRaiseLower);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), (std::vector<int16_t>{1000, -1000}));
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);
    EXPECT_FALSE(doc->IsModified());
}

} // namespace

namespace {

TEST_F(EffectCommandsTest, RepeatLastFunctionRunsTheLastSettingsWithoutAsking) {
    MakeSound16(1, {1000, 1000, 1000}, 0, 2);
    RunWithPreset(cmd::kVolumeRaiseLower, "&Decrease"); // 800
    ASSERT_TRUE(Enabled(cmd::kRepeatLastFunction));
    g_settings.edit.effects.volume.volume = 300; // a later change of the setting is not what ran
    g_settings.desktop.expertMode = 1;           // nor does a dialog open
    EXPECT_TRUE(Run(cmd::kRepeatLastFunction));
    EXPECT_EQ(Track16(*doc->GetStore(), 0), std::vector<int16_t>(3, 640));
    EXPECT_EQ(log->Take().back().first, HINT_DATA);
    // it follows the edit rule: no block, no repeat
    doc->SetBlock(-1, 0);
    EXPECT_FALSE(Enabled(cmd::kRepeatLastFunction));
}

} // namespace
