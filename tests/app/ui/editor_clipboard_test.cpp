#include "app/ui/editor_fixture.h"
#include "controls/ui/range_edit.h"
#include "document/dialogs/track_assignment_dialog.h"
#include "effects/dialogs/value_dialog.h"
#include "process/clipboard.h"
#include "resources/command_ids.h"
#include "support/small_disk.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QSpinBox>

#include <functional>
#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Notes whether a modal dialog shows while it lives, and closes it.
class ModalWatch {
public:
    ModalWatch() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = true;
                modal->close();
            }
        });
        m_timer.start(5);
    }
    bool seen = false;

private:
    QTimer m_timer;
};

/// 16-bit samples of every track of a sound, track by track.
using Tracks = std::vector<std::vector<int16_t>>;

/// Copy, cut, delete and paste through the menus' commands and shortcuts on sounds longer than one piece.
class ClipboardTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        g_settings.sampleWindow.timeFmt = 0; // status fields in frames
    }
    /// A window with a 16-bit sound at 8000 Hz where sample (t, i) is value(t, i).
    COndrixDoc* Sound(uint32_t tracks, uint32_t frames,
                      const std::function<int16_t(uint32_t, uint32_t)>& value) {
        return SoundOf(16, tracks, 8000, frames, value);
    }
    /// A window with a sound of any format where sample (t, i) is value(t, i) (the stored byte at 8 bits).
    COndrixDoc* SoundOf(uint32_t bits, uint32_t tracks, uint32_t rate, uint32_t frames,
                        const std::function<int(uint32_t, uint32_t)>& value) {
        COndrixDoc* doc = NewSound(bits, tracks, rate, tracks >= 2);
        std::vector<uint8_t> data;
        data.reserve(std::size_t(tracks) * frames * bits / 8);
        for (uint32_t i = 0; i < frames; ++i) {
            for (uint32_t t = 0; t < tracks; ++t) {
                const int sample = value(t, i);
                data.push_back(uint8_t(sample & 0xFF));
                if (bits == 16) {
                    data.push_back(uint8_t((sample >> 8) & 0xFF));
                }
            }
        }
        EXPECT_TRUE(doc->GetStore()->AppendData(data.data(), uint32_t(data.size())));
        doc->UpdateAllViews(nullptr, 3);
        ProcessPendingEvents();
        EXPECT_TRUE(doc->IsSampleShown());
        return doc;
    }
    /// The ramp sound of the tests: sample (t, i) = 1000 t + i, 10000 frames (80 KB at 4 tracks).
    COndrixDoc* RampSound(uint32_t tracks = 4, uint32_t frames = 10000) {
        return Sound(tracks, frames, [](uint32_t t, uint32_t i) { return int16_t(1000 * t + i); });
    }
    static Tracks AllTracks(CSampleStore& store) {
        Tracks tracks;
        for (uint32_t t = 0; t < store.GetTrackCount(); ++t) {
            tracks.push_back(Track16(store, t));
        }
        return tracks;
    }
    static std::vector<int16_t> Ramp(int first, int count) {
        std::vector<int16_t> values;
        for (int i = 0; i < count; ++i) {
            values.push_back(int16_t(first + i));
        }
        return values;
    }
    static std::vector<int16_t> Join(std::initializer_list<std::vector<int16_t>> parts) {
        std::vector<int16_t> all;
        for (const auto& part : parts) {
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    }
    CSampleStore* Custom() const { return app->GetClipboard().GetCustomStore(); }
};

TEST_F(ClipboardTest, CopyTakesTheCurrentTrackAndPasteOverwritesOrInsertsItWithoutTheDialog) {
    g_settings.edit.allTracks = 0;
    COndrixDoc* doc = RampSound();
    doc->SetCurrentTrack(1);
    doc->SetBlock(10, 19);
    PressInSample(Qt::Key_C, Qt::ControlModifier);
    ASSERT_NE(Custom(), nullptr);
    ASSERT_EQ(Custom()->GetTrackCount(), 1u);
    EXPECT_EQ(Track16(*Custom(), 0), Ramp(1010, 10));
    EXPECT_FALSE(doc->IsModified()); // a copy changes nothing
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);

    // Overwrite on: track 2 frames 50..59 take the copy, nothing else changes
    const Tracks before = AllTracks(*doc->GetStore());
    doc->SetCurrentTrack(2);
    doc->SetBlock(-1, 50);
    g_settings.edit.overWrite = 1;
    ModalWatch watch;
    PressInSample(Qt::Key_V, Qt::ControlModifier);
    Tracks expected = before;
    std::copy_n(Ramp(1010, 10).begin(), 10, expected[2].begin() + 50);
    EXPECT_EQ(AllTracks(*doc->GetStore()), expected);
    EXPECT_FALSE(watch.seen);
    EXPECT_EQ(doc->GetCursor(), 50); // the cursor stays, no block remains
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_TRUE(doc->IsModified());

    // Overwrite off, on a fresh sound: inserted into track 2, the others gain silence at the end
    COndrixDoc* fresh = RampSound();
    fresh->SetCurrentTrack(2);
    fresh->SetBlock(-1, 50);
    g_settings.edit.overWrite = 0;
    frame->UpdateCommandStates();
    ASSERT_TRUE(frame->Action(cmd::kEditPaste)->isEnabled());
    frame->Action(cmd::kEditPaste)->trigger(); // the menu item
    ProcessPendingEvents();
    const Tracks pasted = AllTracks(*fresh->GetStore());
    ASSERT_EQ(pasted.size(), 4u);
    EXPECT_EQ(pasted[2], Join({Ramp(2000, 50), Ramp(1010, 10), Ramp(2050, 9950)}));
    for (const uint32_t t : {0u, 1u, 3u}) {
        EXPECT_EQ(pasted[t], Join({Ramp(int(1000 * t), 10000), std::vector<int16_t>(10, 0)})) << t;
    }
    EXPECT_EQ(fresh->GetCursor(), 50);
    EXPECT_FALSE(fresh->HasBlock());
    EXPECT_EQ(Status(3), "10010");
    EXPECT_FALSE(watch.seen);
}

TEST_F(ClipboardTest, CutAndDeleteLeaveTheCursorAtTheBlockStart) {
    g_settings.edit.allTracks = 1;
    COndrixDoc* doc = RampSound(2, 10000);
    doc->SetBlock(9000, 100); // the block is 100..9000 whichever end is the cursor
    PressInSample(Qt::Key_X, Qt::ControlModifier);
    ASSERT_EQ(Custom()->GetTrackCount(), 2u);
    EXPECT_EQ(Track16(*Custom(), 1), Ramp(1100, 8901));
    EXPECT_EQ(Track16(*doc->GetStore(), 0), Join({Ramp(0, 100), Ramp(9001, 999)}));
    EXPECT_EQ(doc->GetCursor(), 100);
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_EQ(Status(3), "1099");
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 1u);

    doc->SetBlock(0, 9);
    frame->UpdateCommandStates();
    frame->Action(cmd::kEditDelete)->trigger();
    ProcessPendingEvents();
    EXPECT_EQ(Track16(*doc->GetStore(), 1), Join({Ramp(1010, 90), Ramp(1000 + 9001, 999)}));
    EXPECT_EQ(doc->GetCursor(), 0);
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_EQ(Track16(*Custom(), 1), Ramp(1100, 8901)); // delete leaves the clipboard alone
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->Action(cmd::kEditCut)->isEnabled()); // no block left to cut
    EXPECT_FALSE(frame->Action(cmd::kEditDelete)->isEnabled());
}

TEST_F(ClipboardTest, TheDialogOffersTheInverseMapAndCancelLeavesSoundAndHistory) {
    g_settings.edit.allTracks = 1;
    RampSound(3, 9000);
    frame->ExecuteCommand(cmd::kEditSelectAll);
    frame->ExecuteCommand(cmd::kEditCopy);
    ASSERT_EQ(Custom()->GetTrackCount(), 3u);

    COndrixDoc* doc = RampSound(4, 10000);
    doc->SetBlock(0, 99);
    frame->ExecuteCommand(cmd::kEditDelete); // an edit whose undo state must survive
    ASSERT_EQ(doc->GetUndoHistory().GetCount(), 1u);
    const CSampleStore* state = doc->GetUndoHistory().GetState(0);
    const Tracks before = AllTracks(*doc->GetStore());
    doc->SetCurrentTrack(2);
    doc->SetBlock(-1, 500);
    struct Shown {
        int target;
        bool discarded;
        bool targetVisible;
    };
    std::vector<Shown> shown;
    bool firstFieldFocused = false;
    QString title;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CTrackAssignmentDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        firstFieldFocused = dialog->SourceBox()->hasFocus();
        for (int k = 0; k < 3; ++k) {
            shown.push_back({dialog->TargetBox()->value(), dialog->DiscardBox()->isChecked(),
                             dialog->TargetBox()->isVisibleTo(dialog)});
            SendKey(dialog->SourceBox(), Qt::Key_Up);
        }
        SendKey(dialog->SourceBox(), Qt::Key_Escape);
    });
    frame->ExecuteCommand(cmd::kEditPaste);
    EXPECT_EQ(title, "Track Assignment");
    EXPECT_TRUE(firstFieldFocused);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].target, 3);
    EXPECT_FALSE(shown[0].discarded);
    EXPECT_TRUE(shown[0].targetVisible);
    EXPECT_EQ(shown[1].target, 4);
    EXPECT_FALSE(shown[1].discarded);
    EXPECT_TRUE(shown[2].discarded);
    EXPECT_FALSE(shown[2].targetVisible);
    // Cancel: the sound, and the undo state of the delete, are as they were
    EXPECT_EQ(AllTracks(*doc->GetStore()), before);
    ASSERT_EQ(doc->GetUndoHistory().GetCount(), 1u);
    EXPECT_EQ(doc->GetUndoHistory().GetState(0), state);
    EXPECT_EQ(doc->GetCursor(), 500);
}

TEST_F(ClipboardTest, TheChosenAssignmentIsPastedAndDiscardingEveryTrackEndsLikeCancel) {
    g_settings.edit.allTracks = 1;
    g_settings.edit.overWrite = 1;
    Sound(2, 9000, [](uint32_t t, uint32_t i) { return int16_t(t == 0 ? 7 : -(int(i % 1000))); });
    frame->ExecuteCommand(cmd::kEditSelectAll);
    frame->ExecuteCommand(cmd::kEditCopy);
    COndrixDoc* doc = RampSound(1, 10000);
    const Tracks before = AllTracks(*doc->GetStore());
    // a two-track clipboard into one track (overwritten within its length): choose source track 2, discard
    // track 1, Return is OK
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CTrackAssignmentDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        SendKey(dialog->DiscardBox(), Qt::Key_Space); // source 1: discarded
        SendKey(dialog->SourceBox(), Qt::Key_Up);     // source 2 shows its default: discarded
        SendKey(dialog->DiscardBox(), Qt::Key_Space); // taken back, onto track 1
        SendKey(dialog->SourceBox(), Qt::Key_Return);
    });
    doc->SetBlock(-1, 100);
    frame->ExecuteCommand(cmd::kEditPaste);
    std::vector<int16_t> expected = before[0];
    for (int i = 0; i < 9000; ++i) {
        expected[std::size_t(100 + i)] = int16_t(-(i % 1000));
    }
    EXPECT_EQ(Track16(*doc->GetStore(), 0), expected);
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 1u);

    // every source track discarded: nothing happens, not even silence
    const Tracks now = AllTracks(*doc->GetStore());
    const CSampleStore* state = doc->GetUndoHistory().GetState(0);
    g_settings.edit.overWrite = 0;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CTrackAssignmentDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        if (!dialog->DiscardBox()->isChecked()) {
            SendKey(dialog->DiscardBox(), Qt::Key_Space);
        }
        SendKey(dialog->SourceBox(), Qt::Key_Up);
        if (!dialog->DiscardBox()->isChecked()) {
            SendKey(dialog->DiscardBox(), Qt::Key_Space);
        }
        SendKey(dialog->SourceBox(), Qt::Key_Return);
    });
    frame->ExecuteCommand(cmd::kEditPaste);
    EXPECT_EQ(AllTracks(*doc->GetStore()), now);
    EXPECT_EQ(doc->GetUndoHistory().GetState(0), state);
}

TEST_F(ClipboardTest, ACutThatCannotCopyOrSaveItsUndoStateChangesNothing) {
    g_settings.edit.allTracks = 1;
    COndrixDoc* doc = RampSound(4, 20000); // 160 KB
    doc->SetBlock(0, 9);
    frame->ExecuteCommand(cmd::kEditCopy); // the clipboard's old content
    doc->SetBlock(10, 19);
    frame->ExecuteCommand(cmd::kEditDelete); // and an undo state
    const CSampleStore* oldClip = Custom();
    const CSampleStore* state = doc->GetUndoHistory().GetState(0);
    const Tracks before = AllTracks(*doc->GetStore());

    SmallDisk disk(96 * 1024);
    g_settings.tempPath.clipboard = disk.Path();
    // the block (120 KB) does not fit: the copy fails
    doc->SetBlock(0, 15000);
    frame->ExecuteCommand(cmd::kEditCut);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(AllTracks(*doc->GetStore()), before);
    EXPECT_EQ(Custom(), oldClip);
    EXPECT_EQ(Track16(*Custom(), 3), Ramp(3000, 10));
    ASSERT_EQ(doc->GetUndoHistory().GetCount(), 1u);
    EXPECT_EQ(doc->GetUndoHistory().GetState(0), state);
    EXPECT_TRUE(doc->HasBlock());

    // a block that fits (40 KB), but then the undo copy of the whole sound does not
    const std::size_t shown = messages.shown.size();
    doc->SetBlock(0, 4999);
    frame->ExecuteCommand(cmd::kEditCut);
    EXPECT_GT(messages.shown.size(), shown);
    EXPECT_EQ(AllTracks(*doc->GetStore()), before);
    EXPECT_EQ(Custom(), oldClip);
    EXPECT_EQ(doc->GetUndoHistory().GetState(0), state);
    EXPECT_EQ(disk.FileCount(), 0u);
}

TEST_F(ClipboardTest, APasteThatFailsOnAFullDiskDropsItsUndoStateAndChangesNothing) {
    g_settings.edit.allTracks = 1;
    g_settings.edit.undoCount = 2;
    SmallDisk disk(256 * 1024);
    g_settings.tempPath.editor = disk.Path(); // the sound lives on the small disk, the undo states do not
    COndrixDoc* doc = RampSound(4, 20000);    // 160 KB
    ASSERT_EQ(doc->GetStore()->GetStorageMode(), STORE_TEMPFILE);
    doc->SetBlock(0, 99);
    frame->ExecuteCommand(cmd::kInvert); // an earlier edit in place, with its undo state
    const CSampleStore* state = doc->GetUndoHistory().GetState(0);
    ASSERT_NE(state, nullptr);
    ASSERT_TRUE(messages.shown.empty());
    doc->SetBlock(0, 12499);
    frame->ExecuteCommand(cmd::kEditCopy); // 100 KB on the clipboard path
    ASSERT_EQ(Custom()->GetFrameCount(), 12500u);
    doc->SetModifiedFlag(false);
    const Tracks before = AllTracks(*doc->GetStore());
    const std::size_t files = temp.Files().size();

    // inserting needs a new data file of 260 KB beside the old one: the disk is full
    doc->SetBlock(-1, 100);
    frame->ExecuteCommand(cmd::kEditPaste);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Destination disk drive is full.");
    EXPECT_EQ(AllTracks(*doc->GetStore()), before);
    ASSERT_EQ(doc->GetUndoHistory().GetCount(), 1u); // the paste's state is gone, the earlier one stays
    EXPECT_EQ(doc->GetUndoHistory().GetState(0), state);
    EXPECT_EQ(temp.Files().size(), files);
    EXPECT_EQ(disk.FileCount(), 1u); // only the sound: the replacement file was removed
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetCursor(), 100);

    // Undo still brings back the sound before the earlier edit
    PressInSample(Qt::Key_Z);
    EXPECT_EQ(AllTracks(*doc->GetStore())[2], Ramp(2000, 20000));
}

TEST_F(ClipboardTest, MixAtThirtyPercentKeepsItsSettingAndMixesPastTheEnd) {
    g_settings.edit.allTracks = 1;
    Sound(1, 50, [](uint32_t, uint32_t) { return int16_t(1000); });
    frame->ExecuteCommand(cmd::kEditSelectAll);
    frame->ExecuteCommand(cmd::kEditCopy);
    COndrixDoc* doc = Sound(1, 100, [](uint32_t, uint32_t) { return int16_t(-1000); });
    doc->SetBlock(-1, 90);
    QString title;
    QString label;
    QString preset;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CValueDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        label = dialog->Label()->text();
        preset = dialog->Edit()->Field()->text();
        ReplaceText(dialog->Edit()->Field(), "30");
        SendKey(dialog->Edit()->Field(), Qt::Key_Return);
    });
    PressInSample(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(title, "Mix");
    EXPECT_EQ(label, "Volume of Clipboard [%]:");
    EXPECT_EQ(preset, "50");
    EXPECT_EQ(g_settings.edit.mix, 30);
    EXPECT_EQ(Track16(*doc->GetStore(), 0),
              Join({std::vector<int16_t>(90, -1000), std::vector<int16_t>(10, -400),
                    std::vector<int16_t>(40, 300)}));
    EXPECT_EQ(doc->GetCursor(), 90);
    EXPECT_FALSE(doc->HasBlock());

    // 101 is refused and the dialog stays; Cancel then changes neither sound nor setting
    const std::vector<int16_t> mixed = Track16(*doc->GetStore(), 0);
    bool stayed = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CValueDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Edit()->Field()->text(), "30");
        ReplaceText(dialog->Edit()->Field(), "101");
        SendKey(dialog->Edit()->Field(), Qt::Key_Return);
        stayed = dialog->isVisible();
        SendKey(dialog->Edit()->Field(), Qt::Key_Escape);
    });
    frame->UpdateCommandStates();
    frame->Action(cmd::kMix)->trigger();
    ProcessPendingEvents();
    EXPECT_TRUE(stayed);
    EXPECT_EQ(g_settings.edit.mix, 30);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), mixed);
}

TEST_F(ClipboardTest, SoundsOfOtherRatesBitsAndTrackCountsPasteAndMixIntoEachOtherThroughEitherClipboard) {
    // 16 bits, 2 tracks, 16000 Hz, 20000 frames (80 KB); at 8 bits track 1 reads i % 200 + 28 and track 2
    // reads 128 - i % 100
    const auto source = [](uint32_t t, uint32_t i) {
        return t == 0 ? int(i % 200) * 256 - 25600 : -int(i % 100) * 256;
    };
    for (const bool custom : {true, false}) {
        SCOPED_TRACE(custom ? "custom clipboard" : "desktop clipboard");
        if (app->GetClipboard().IsCustom() != custom) {
            ChooseMenuItem(cmd::kCustomClipboard);
        }
        ASSERT_EQ(app->GetClipboard().IsCustom(), custom);
        g_settings.edit.allTracks = 1;
        g_settings.edit.overWrite = 0;
        COndrixDoc* sourceDoc = SoundOf(16, 2, 16000, 20000, source);
        frame->ExecuteCommand(cmd::kEditSelectAll);
        PressInSample(Qt::Key_C);

        // into 8 bits, 3 tracks, 8000 Hz at track 2, frame 1000: the dialog offers 1 -> 2, 2 -> 3, Return
        // takes it; 10000 frames go in, source frame 2k - 1 at the k-th (the rate steps two at a time
        // after the first)
        COndrixDoc* doc = SoundOf(8, 3, 8000, 5000, [](uint32_t, uint32_t) { return 100; });
        doc->SetCurrentTrack(1);
        doc->SetBlock(-1, 1000);
        std::vector<int> offered;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CTrackAssignmentDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            offered.push_back(dialog->TargetBox()->value());
            SendKey(dialog->SourceBox(), Qt::Key_Up);
            offered.push_back(dialog->TargetBox()->value());
            SendKey(dialog->SourceBox(), Qt::Key_Return);
        });
        PressInSample(Qt::Key_V);
        EXPECT_EQ(offered, (std::vector<int>{2, 3}));
        ASSERT_EQ(doc->GetStore()->GetFrameCount(), 15000u);
        EXPECT_EQ(doc->GetStore()->GetBitsPerSample(), 8u); // the document keeps its format
        EXPECT_EQ(doc->GetStore()->GetSampleRate(), 8000u);
        std::vector<uint8_t> untouched(5000, 100);
        untouched.resize(15000, 128); // the unassigned track gains silence at the end
        EXPECT_EQ(Track8(*doc->GetStore(), 0), untouched);
        for (uint32_t t = 1; t <= 2; ++t) {
            const std::vector<uint8_t> track = Track8(*doc->GetStore(), t);
            bool same = true;
            for (uint32_t k = 0; k < 10000 && same; ++k) {
                const uint32_t j = k == 0 ? 0 : 2 * k - 1;
                same = track[1000 + k] == (t == 1 ? int(j % 200) + 28 : 128 - int(j % 100));
                EXPECT_TRUE(same) << "track " << t << " frame " << 1000 + k << " is " << int(track[1000 + k]);
            }
            EXPECT_EQ(std::vector<uint8_t>(track.begin(), track.begin() + 1000),
                      std::vector<uint8_t>(1000, 100));
            EXPECT_EQ(std::vector<uint8_t>(track.begin() + 11000, track.end()),
                      std::vector<uint8_t>(4000, 100));
        }
        EXPECT_EQ(doc->GetUndoHistory().GetCount(), 1u);

        // the source's track 2 alone mixed at 30 % into 8 bits, mono, 32000 Hz at frame 0: 40000 frames,
        // source frame k / 2 at the k-th, (70 x 100 - 30 x (j % 100)) / 100 + 128; the frames after them
        // and the length stay
        g_settings.edit.allTracks = 0;
        for (COndrixChild* child : frame->Children()) {
            if (child->GetDocument() == sourceDoc) {
                frame->GetMdiArea()->setActiveSubWindow(child);
            }
        }
        ProcessPendingEvents();
        ASSERT_EQ(Doc(), sourceDoc);
        sourceDoc->SetCurrentTrack(1);
        frame->ExecuteCommand(cmd::kEditSelectAll);
        PressInSample(Qt::Key_C);
        COndrixDoc* mixed = SoundOf(8, 1, 32000, 100000, [](uint32_t, uint32_t) { return 228; });
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CValueDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            ReplaceText(dialog->Edit()->Field(), "30");
            SendKey(dialog->Edit()->Field(), Qt::Key_Return);
        });
        PressInSample(Qt::Key_M);
        const std::vector<uint8_t> track = Track8(*mixed->GetStore(), 0);
        ASSERT_EQ(track.size(), 100000u);
        EXPECT_EQ(track[0], 198);
        EXPECT_EQ(track[2], 197);     // source frame 1: 6970 / 100 = 69
        EXPECT_EQ(track[199], 168);   // source frame 99: 4030 / 100 = 40
        EXPECT_EQ(track[39999], 168); // the last source frame, 19999
        bool same = true;
        for (uint32_t k = 0; k < 40000 && same; ++k) {
            same = track[k] == 128 + (7000 - 30 * int((k / 2) % 100)) / 100;
            EXPECT_TRUE(same) << "frame " << k << " is " << int(track[k]);
        }
        EXPECT_EQ(std::vector<uint8_t>(track.begin() + 40000, track.end()), std::vector<uint8_t>(60000, 228));
        PressInSample(Qt::Key_Z);
        EXPECT_EQ(Track8(*mixed->GetStore(), 0), std::vector<uint8_t>(100000, 228));
    }
}

} // namespace
