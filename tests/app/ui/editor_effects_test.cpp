#include "app/ui/editor_fixture.h"
#include "app/ui/manual_device.h"
#include "resources/command_ids.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kAbortQuestion = 31901;

/// The effects run from the main frame on a long sound.
class EditorEffectsTest : public EditorFixture {
protected:
    /// Opens a two-track sound of about 10 MB with every frame selected.
    void OpenLongSound() {
        ASSERT_TRUE(OpenByCommand(MakeWave("long.wav", 2, 16, 44100, 2600000)));
        frame->ExecuteCommand(cmd::kEditSelectAll);
        ProcessPendingEvents();
        ASSERT_TRUE(Doc()->HasBlock());
    }
};

/// Presses ESC once the running operation shows a progress text containing the given words.
void PressEscapeDuring(CMainFrame* frame, const QString& words) {
    auto* timer = new QTimer(frame);
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, frame, [frame, timer, words] {
        if (frame->StatusBar()->ProgressTextPane()->text().contains(words)) {
            timer->stop();
            timer->deleteLater();
            SendKey(frame, Qt::Key_Escape);
        }
    });
    timer->start();
}

TEST_F(EditorEffectsTest, EscapeDuringAnEffectDropsItsUndoStateAndKeepsWhatWasWritten) {
    OpenLongSound();
    const std::vector<int16_t> before = Track16(*Doc()->GetStore(), 0);
    messages.answers = {MsgAnswer::Yes};
    PressEscapeDuring(frame, QStringLiteral("nvert"));
    frame->ExecuteCommand(cmd::kInvert);
    ProcessPendingEvents();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().helpId, kAbortQuestion);
    EXPECT_EQ(Doc()->GetUndoHistory().GetCount(), 0u);
    EXPECT_FALSE(Doc()->IsModified());
    // the pieces the driver wrote before the abort stay inverted, the rest is as it was
    const std::vector<int16_t> after = Track16(*Doc()->GetStore(), 0);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[0], int16_t(-before[0]));
    EXPECT_EQ(after.back(), before.back());
}

TEST_F(EditorEffectsTest, EscapeDuringTheUndoCopyRunsNothing) {
    OpenLongSound();
    const std::vector<uint8_t> before = AllBytes(*Doc()->GetStore());
    messages.answers = {MsgAnswer::Yes};
    PressEscapeDuring(frame, QStringLiteral("undo"));
    frame->ExecuteCommand(cmd::kInvert);
    ProcessPendingEvents();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(Doc()->GetUndoHistory().GetCount(), 0u);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(AllBytes(*Doc()->GetStore()), before);
}

TEST_F(EditorEffectsTest, ThePresetMenuChoiceRunsFromTheMainFrame) {
    ASSERT_TRUE(OpenByCommand(MakeWave("short.wav", 1, 16, 8000, 100)));
    frame->ExecuteCommand(cmd::kEditSelectAll);
    g_settings.desktop.expertMode = 0;
    QTimer::singleShot(0, frame, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(menu->actions().at(0)); // "&Decrease"
        SendKey(menu, Qt::Key_Return);
    });
    const std::vector<int16_t> before = Track16(*Doc()->GetStore(), 0);
    frame->ExecuteCommand(cmd::kVolumeRaiseLower);
    ProcessPendingEvents();
    const std::vector<int16_t> after = Track16(*Doc()->GetStore(), 0);
    EXPECT_EQ(after[10], int16_t(before[10] * 80 / 100));
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(EditorEffectsTest, APresetItemShowsItsPromptInTheStatusBarWhileHighlighted) {
    ASSERT_TRUE(OpenByCommand(MakeWave("short.wav", 1, 16, 8000, 100)));
    frame->ExecuteCommand(cmd::kEditSelectAll);
    g_settings.desktop.expertMode = 0;
    QString shown;
    QTimer::singleShot(0, frame, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(menu->actions().at(1)); // the middle strength, as the mouse would
        QCoreApplication::processEvents();
        shown = frame->StatusBar()->currentMessage();
        SendKey(menu, Qt::Key_Escape);
    });
    frame->ExecuteCommand(cmd::kEcho);
    ProcessPendingEvents();
    EXPECT_EQ(shown, "Runs the edit function with middle effect. ");
    EXPECT_FALSE(Doc()->IsModified()); // closing the menu ran nothing
}

} // namespace

namespace {

/// The preview of an expert dialog on a simulated device.
class EditorPreviewTest : public EditorFixture {
protected:
    ManualDevice device;
};

TEST_F(EditorPreviewTest, PreviewPlaysACopyAndLeavesTheDocumentAsItWas) {
    ASSERT_TRUE(OpenByCommand(MakeWave("preview.wav", 2, 16, 8000, 40000)));
    frame->ExecuteCommand(cmd::kEditSelectAll);
    g_settings.desktop.expertMode = 1;
    COndrixDoc* doc = Doc();
    const std::vector<uint8_t> before = AllBytes(*doc->GetStore());
    device.backend.SetCapture(true);
    bool played = false;
    bool stoppedAgain = false;
    WhenModal([&](QWidget* dialog) {
        auto* preview = dialog->findChild<QPushButton*>(QStringLiteral("Preview"));
        ASSERT_NE(preview, nullptr);
        SendClick(preview);
        for (int i = 0; i < 20 && !played; ++i) {
            device.Advance(800, 8000);
            played = !device.backend.TakeCapture().empty();
        }
        SendClick(preview); // pressing it again stops it
        for (int i = 0; i < 500 && device.backend.IsOutputOpen(); ++i) {
            device.Advance(800, 8000);
        }
        stoppedAgain = !device.backend.IsOutputOpen();
        SendClick(preview);
        device.Advance(800, 8000);
        SendKey(dialog->focusWidget(), Qt::Key_Escape); // closing stops it too
    });
    frame->ExecuteCommand(cmd::kTremolo);
    ProcessPendingEvents();
    EXPECT_TRUE(played);
    EXPECT_TRUE(stoppedAgain);
    EXPECT_EQ(AllBytes(*doc->GetStore()), before);
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetStore()->GetAudioState(), 0u);
}

} // namespace
