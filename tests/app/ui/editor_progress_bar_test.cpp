#include "app/progress_bar.h"
#include "app/ui/editor_qt_support.h"
#include "process/piece_block.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>

#include <functional>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kPiece = 65536;
constexpr uint32_t kPieces = 150; // 150 pieces: each percent step is about one and a half pieces

/// What the routine sees of the status bar while it runs, and an action to take at one piece.
struct RunProbe {
    CProgressBar* bar = nullptr;
    int calls = 0;
    int actAtCall = -1;
    std::function<void()> action;
    bool panesHidden = false;
    bool controlShown = false;
    bool abortShown = false;
    QString text;
};

uint32_t InvertAndProbe(PieceBlock* piece) {
    auto* probe = static_cast<RunProbe*>(piece->context);
    auto* samples = reinterpret_cast<int16_t*>(piece->input);
    for (uint32_t i = 0; i < piece->inputCount / 2; ++i) {
        samples[i] = int16_t(~samples[i]);
    }
    ++probe->calls;
    if (probe->calls == 20) {
        probe->panesHidden = probe->bar->Pane(1)->isHidden() && probe->bar->Pane(7)->isHidden();
        probe->controlShown = probe->bar->ProgressControl() && probe->bar->ProgressControl()->isVisible();
        probe->abortShown = probe->bar->AbortPane()->isVisible();
        probe->text = probe->bar->ProgressTextPane()->text();
    }
    if (probe->calls == probe->actAtCall && probe->action) {
        probe->action();
    }
    return 1;
}

class ProgressBarTest : public ::testing::Test, public QtApplicationFirst {
protected:
    void SetUp() override {
        bar = new CProgressBar;
        window.setStatusBar(bar);
        edit = new QLineEdit;
        window.setCentralWidget(edit);
        window.resize(900, 300);
        window.show();
        for (int i = 0; i < CProgressBar::kPaneCount; ++i) {
            bar->SetPaneText(i, QStringLiteral("pane %1").arg(i));
        }
        RegisterProgressDisplay(kStatusBarWindowId, bar);
        ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, 44100, true));
        FillRamp16(store, kPieces * kPiece / 4);
        original = AllBytes(store);
        store.m_progressWindowId = kStatusBarWindowId;
        store.m_progressTextId = 1103;
        probe.bar = bar;
    }
    void TearDown() override { RegisterProgressDisplay(kStatusBarWindowId, nullptr); }

    bool Run() { return store.Process(nullptr, -1, 0, true, 1, 1, false, &InvertAndProbe, 0, &probe); }

    /// Number of leading bytes of the store that the routine inverted.
    size_t InvertedBytes() {
        const auto now = AllBytes(store);
        size_t n = 0;
        while (n < now.size() && uint8_t(~original[n]) == now[n]) {
            ++n;
        }
        return n;
    }

    void ExpectStatusPanesBack() {
        for (int i = 0; i < CProgressBar::kPaneCount; ++i) {
            EXPECT_FALSE(bar->Pane(i)->isHidden()) << i;
            EXPECT_EQ(bar->PaneText(i), QStringLiteral("pane %1").arg(i));
        }
        EXPECT_EQ(bar->ProgressControl(), nullptr);
        EXPECT_TRUE(bar->AbortPane()->isHidden());
        EXPECT_TRUE(bar->ProgressTextPane()->isHidden());
        EXPECT_FALSE(bar->IsActive());
    }

    QMainWindow window;
    CProgressBar* bar = nullptr;
    QLineEdit* edit = nullptr;
    CSampleStore store;
    std::vector<uint8_t> original;
    RunProbe probe;
    FakeMessageService messages;
};

TEST_F(ProgressBarTest, ShowsProgressPanesWhileRunningAndRestoresThem) {
    EXPECT_TRUE(Run());
    EXPECT_TRUE(probe.panesHidden);
    EXPECT_TRUE(probe.controlShown);
    EXPECT_TRUE(probe.abortShown);
    EXPECT_EQ(bar->AbortPane()->text(), "Press <ESC> or click here to abort operation.");
    // piece 20 of 150 ends 2.6 % into the data, but the text is set before the routine runs for it
    EXPECT_EQ(probe.text, "Changing volume of WAVE file. 12% done.");
    EXPECT_EQ(InvertedBytes(), original.size());
    EXPECT_TRUE(messages.shown.empty());
    ExpectStatusPanesBack();
}

TEST_F(ProgressBarTest, EscAnsweredYesAbortsAndLeavesTheWrittenPieces) {
    probe.actAtCall = 30;
    probe.action = [&] {
        QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    };
    messages.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(Run());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Do you really want to abort the current operation?");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(messages.shown[0].helpId, 31901u);
    // the ESC is seen at the next percentage change after piece 30; every piece run before is written
    EXPECT_GE(probe.calls, 30);
    EXPECT_LE(probe.calls, 32);
    EXPECT_EQ(InvertedBytes(), size_t(probe.calls) * kPiece);
    EXPECT_EQ(store.GetDataSize(), original.size());
    ExpectStatusPanesBack();
}

TEST_F(ProgressBarTest, EscAnsweredNoOrCancelGoesOn) {
    probe.actAtCall = 30;
    probe.action = [&] {
        QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    };
    messages.answers = {MsgAnswer::No};
    EXPECT_TRUE(Run());
    EXPECT_EQ(messages.shown.size(), 1u); // both presses were pending at the same pump
    EXPECT_EQ(InvertedBytes(), original.size());
    ExpectStatusPanesBack();
}

TEST_F(ProgressBarTest, ClickOnTheAbortPaneAsksAndYesAborts) {
    probe.actAtCall = 10;
    probe.action = [&] {
        QLabel* pane = bar->AbortPane();
        const QPointF local(pane->rect().center());
        QCoreApplication::postEvent(pane,
                                    new QMouseEvent(QEvent::MouseButtonPress, local, pane->mapToGlobal(local),
                                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    };
    messages.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(Run());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(InvertedBytes(), size_t(probe.calls) * kPiece);
    ExpectStatusPanesBack();
}

TEST_F(ProgressBarTest, ClicksElsewhereAndOtherKeysAreHeldBack) {
    probe.actAtCall = 10;
    probe.action = [&] {
        QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
        const QPointF local(bar->Pane(0)->rect().center());
        QCoreApplication::postEvent(
            bar->Pane(0), new QMouseEvent(QEvent::MouseButtonPress, local, bar->Pane(0)->mapToGlobal(local),
                                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    };
    EXPECT_TRUE(Run());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(edit->text().isEmpty());
    // after the run the same key reaches the edit again
    SendKey(edit, Qt::Key_X);
    EXPECT_EQ(edit->text(), "x");
}

TEST_F(ProgressBarTest, AHiddenStatusBarIsShownForTheRunAndHiddenAgain) {
    bar->hide();
    bool shownDuringRun = false;
    probe.actAtCall = 5;
    probe.action = [&] { shownDuringRun = bar->isVisible(); };
    EXPECT_TRUE(Run());
    EXPECT_TRUE(shownDuringRun);
    EXPECT_TRUE(bar->isHidden());
}

} // namespace
