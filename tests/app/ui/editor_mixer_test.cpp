#include "app/ui/editor_fixture.h"
#include "app/ui/manual_device.h"
#include "app/volume_bar.h"
#include "controls/ui/level_meter.h"
#include "controls/ui/range_edit.h"
#include "controls/ui/stereo_slider.h"
#include "controls/ui/value_pair_dialog.h"
#include "document/track_mixer.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "views/mixer_strip.h"
#include "views/ondrix_view.h"
#include "views/sample_view.h"
#include "views/strip_button.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// The editor with a sound open and a mixer view of its own, 600 x 200, to look at.
class MixerTest : public EditorFixture {
protected:
    /// Opens a sound of tracks tracks and a shown mixer view of 600 x 200 on it.
    COndrixView* OpenMixer(uint32_t tracks) {
        EXPECT_TRUE(OpenByCommand(MakeWave("a.wav", tracks, 16, 8000, 800)));
        view = std::make_unique<COndrixView>(Doc());
        view->resize(600, 200);
        view->show();
        ProcessPendingEvents();
        return view.get();
    }

    /// Drags a slider's handle to the slider's top end with the mouse.
    static void DragToTop(QSlider* slider) {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->value();
        option.sliderValue = slider->value();
        option.upsideDown = !slider->invertedAppearance(); // vertical sliders put the minimum at the bottom
        const QRect handle =
            slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
        const QPointF from = handle.center();
        const QPointF to(from.x(), -50);
        QMouseEvent press(QEvent::MouseButtonPress, from, slider->mapToGlobal(from), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(slider, &press);
        QMouseEvent move(QEvent::MouseMove, to, slider->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(slider, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, slider->mapToGlobal(to), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(slider, &release);
    }

    /// Opens a strip's menu with the right mouse button and chooses an entry; returns the entries.
    QStringList Choose(CMixerStrip* strip, const QString& entry, QStringList* disabled = nullptr) {
        QStringList entries;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                entries << action->text() + (action->isChecked() ? "*" : "");
                if (disabled && !action->isEnabled()) {
                    *disabled << action->text();
                }
                if (action->text() == entry) {
                    chosen = action;
                }
            }
            menu->close();
            if (chosen) {
                chosen->trigger();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(60, 50), strip->mapToGlobal(QPoint(60, 50)));
        QApplication::sendEvent(strip, &event);
        return entries;
    }

    /// Records every volume/balance report of a strip as the packed notification value.
    void Reports(CMixerStrip* strip) {
        QObject::connect(strip, &CMixerStrip::VolumeBalanceChanged, strip, [this](uint32_t, int v, int b) {
            packed.push_back(uint32_t(v) << 16 | (uint32_t(b) & 0xFFFF));
        });
    }

    std::unique_ptr<COndrixView> view;
    std::vector<uint32_t> packed;
};

TEST_F(MixerTest, ThreeStripsSeparatorsAndTheLogo) {
    COndrixView* mixer = OpenMixer(3);
    ASSERT_EQ(mixer->StripCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(mixer->Strip(i)->geometry(), QRect(123 * i, 0, 120, 200)) << i;
        EXPECT_EQ(mixer->Strip(i)->objectName(), QStringLiteral("Strip%1").arg(200 + i));
    }
    EXPECT_EQ(mixer->horizontalScrollBar()->maximum(), 0);
    // the logo is centred in the 231 pixels the strips leave free
    EXPECT_EQ(mixer->LogoRect(), QRect(369 + (600 - 369 - 76) / 2, (200 - 58) / 2, 76, 58));
    const QImage image = mixer->viewport()->grab().toImage();
    const QPalette colours = mixer->palette();
    EXPECT_EQ(image.pixelColor(120, 100).rgb(), colours.color(QPalette::Light).rgb());
    EXPECT_EQ(image.pixelColor(122, 100).rgb(), colours.color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixelColor(245, 100).rgb(), colours.color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixelColor(130, 100).rgb(), colours.color(QPalette::Button).rgb());
    // the strip's own controls at their places
    CMixerStrip* strip = mixer->Strip(1);
    EXPECT_EQ(strip->NameField()->geometry(), QRect(5, 5, 110, 20));
    EXPECT_EQ(strip->VolumeSlider()->geometry(), QRect(26, 30, 33, 140));
    EXPECT_EQ(strip->BalanceSlider()->geometry(), QRect(61, 30, 33, 140));
    EXPECT_EQ(strip->PlayButton()->geometry(), QRect(5, 175, 33, 20));
    EXPECT_EQ(strip->ShowButton()->geometry(), QRect(43, 175, 33, 20));
    EXPECT_EQ(strip->EditButton()->geometry(), QRect(82, 175, 33, 20));
}

TEST_F(MixerTest, TenStripsScrollWithoutALogo) {
    COndrixView* mixer = OpenMixer(10);
    ASSERT_EQ(mixer->StripCount(), 10);
    const int client = mixer->viewport()->width();
    EXPECT_EQ(mixer->horizontalScrollBar()->maximum(), 1230 - client);
    EXPECT_TRUE(mixer->LogoRect().isEmpty());
    mixer->horizontalScrollBar()->setValue(100);
    EXPECT_EQ(mixer->Strip(2)->x(), 246 - 100);
    // next track from the last goes to track 0 and scrolls it back into view
    mixer->horizontalScrollBar()->setValue(0);
    Doc()->SetCurrentTrack(8);
    mixer->StepTrack(1);
    EXPECT_EQ(Doc()->GetCurrentTrack(), 9u);
    EXPECT_EQ(mixer->Strip(9)->geometry().right() + 1, client);
    mixer->StepTrack(1);
    EXPECT_EQ(Doc()->GetCurrentTrack(), 0u);
    EXPECT_EQ(mixer->Strip(0)->x(), 0);
}

TEST_F(MixerTest, VolumeDraggedToTheTopIsTwoHundred) {
    COndrixView* mixer = OpenMixer(2);
    CMixerStrip* strip = mixer->Strip(0);
    DragToTop(strip->VolumeSlider());
    EXPECT_EQ(Doc()->GetStore()->Mixer().volume[0], 200);
    EXPECT_EQ(strip->VolumeSlider()->toolTip(), "Volume: 100%");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(MixerTest, ReportsPackVolumeAndBalanceAndCenterReportsOnce) {
    COndrixView* mixer = OpenMixer(2);
    CMixerStrip* strip = mixer->Strip(1);
    Reports(strip);
    strip->SetVolume(150);
    strip->SetBalance(-30);
    EXPECT_TRUE(packed.empty());                 // the view's setters do not report
    SendKey(strip->BalanceSlider(), Qt::Key_Up); // one step up: balance +1 ... and back down
    SendKey(strip->BalanceSlider(), Qt::Key_Down);
    ASSERT_EQ(packed.size(), 2u);
    EXPECT_EQ(packed[1], 0x0096FFE2u);
    EXPECT_EQ(Doc()->GetStore()->Mixer().volume[1], 150);
    EXPECT_EQ(Doc()->GetStore()->Mixer().balance[1], -30);
    packed.clear();
    const QStringList entries = Choose(strip, "Center &Volume");
    EXPECT_EQ(entries, (QStringList{"&Change Balance and Volume...", "", "Center &Balance", "Center &Volume",
                                    "", "&Play Back Track*", "&Show Track*", "&Edit Track*"}));
    ASSERT_EQ(packed.size(), 1u);
    EXPECT_EQ(packed[0], 100u << 16 | 0xFFE2u);
    EXPECT_EQ(Doc()->GetStore()->Mixer().volume[1], 100);
}

TEST_F(MixerTest, CenterBalanceIsGreyWithoutStereo) {
    ASSERT_TRUE(OpenByCommand(MakeWave("mono.wav", 1, 16, 8000, 800)));
    view = std::make_unique<COndrixView>(Doc());
    view->show();
    ASSERT_EQ(view->StripCount(), 1);
    EXPECT_FALSE(view->Strip(0)->BalanceSlider()->isEnabled());
    QStringList disabled;
    Choose(view->Strip(0), "", &disabled);
    EXPECT_EQ(disabled, QStringList{"Center &Balance"});
}

TEST_F(MixerTest, ButtonsToggleTheFlagsAndMarkTheDocument) {
    COndrixView* mixer = OpenMixer(2);
    CMixerStrip* strip = mixer->Strip(1);
    CSampleStore* store = Doc()->GetStore();
    ASSERT_FALSE(Doc()->IsModified());
    SendClick(strip->PlayButton());
    EXPECT_TRUE(store->GetPlayOff(1));
    EXPECT_EQ(strip->PlayButton()->toolTip(), "Playback off");
    EXPECT_EQ(strip->PlayButton()->ShownIcon(), ":/icons/track_muted.svg");
    EXPECT_TRUE(Doc()->IsModified());
    SendClick(strip->ShowButton());
    EXPECT_EQ(store->m_trackFlags[1] & TRACK_SHOWN, 0u);
    EXPECT_EQ(strip->ShowButton()->toolTip(), "Don't show track 2");
    // the sample window lost the lane; the current track stays
    EXPECT_EQ(frame->ActiveChild()->GetSampleView()->GetLaneTracks(), std::vector<uint32_t>{0});
    SendClick(strip->EditButton());
    EXPECT_EQ(store->m_trackFlags[1] & TRACK_EDITED, 0u);
    Choose(strip, "&Edit Track"); // the menu entry does the same as the button
    EXPECT_NE(store->m_trackFlags[1] & TRACK_EDITED, 0u);
    EXPECT_EQ(strip->EditButton()->toolTip(), "Edit track 2");
    EXPECT_EQ(strip->toolTip(), "Track 2 - \"\"");
}

TEST_F(MixerTest, RenamedTrackIsSavedInTheFile) {
    COndrixView* mixer = OpenMixer(2);
    QLineEdit* name = mixer->Strip(1)->NameField();
    ReplaceText(name, "Bass");
    EXPECT_EQ(Doc()->GetStore()->m_trackNames[1], "Bass");
    EXPECT_EQ(name->toolTip(), "Title: \"Bass\"");
    EXPECT_TRUE(Doc()->IsModified());
    const std::string path = files.Path() + "/named.wav";
    ASSERT_TRUE(Doc()->OnSaveDocument(path, SaveKind::Wave));
    const std::string bytes = FileBytes(path);
    const std::size_t chunk = bytes.find("chtt");
    ASSERT_NE(chunk, std::string::npos);
    EXPECT_NE(bytes.find("Bass", chunk), std::string::npos);
}

TEST_F(MixerTest, ChangeDialogSetsBothAndRefusesOutOfRange) {
    COndrixView* mixer = OpenMixer(2);
    CMixerStrip* strip = mixer->Strip(0);
    Reports(strip);
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CValuePairDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Change Volume and Balance of Track");
            ReplaceText(dialog->SecondEdit()->Field(), "120");
            SendKey(dialog->SecondEdit()->Field(), Qt::Key_Return);
            stayedOpen = dialog->isVisible();
            ReplaceText(dialog->FirstEdit()->Field(), "80");
            ReplaceText(dialog->SecondEdit()->Field(), "25");
            SendKey(dialog->SecondEdit()->Field(), Qt::Key_Return);
        });
    });
    Choose(strip, "&Change Balance and Volume...");
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Please enter an integer between -100 and 100.");
    ASSERT_EQ(packed.size(), 1u);
    EXPECT_EQ(Doc()->GetStore()->Mixer().volume[0], 80);
    EXPECT_EQ(Doc()->GetStore()->Mixer().balance[0], 25);
    EXPECT_EQ(strip->BalanceSlider()->value(), -25);
}

TEST_F(MixerTest, HintsElevenAndFourBringBackTheStoresValues) {
    COndrixView* mixer = OpenMixer(2);
    CMixerStrip* strip = mixer->Strip(0);
    Reports(strip);
    // the store changes under the strips, as when undo swaps in an earlier store
    MixerBlock mixerBlock;
    Doc()->GetStore()->GetMixer(mixerBlock);
    mixerBlock.volume[0] = 40;
    Doc()->GetStore()->SetMixer(mixerBlock);
    Doc()->GetStore()->SetPlayOff(0, true);
    Doc()->GetStore()->m_trackNames[0] = "Old";
    Doc()->UpdateAllViews(nullptr, HINT_DATA);
    EXPECT_EQ(strip->GetVolume(), 40);
    EXPECT_TRUE(strip->IsPlayOff());
    EXPECT_EQ(strip->NameField()->text(), "Old");
    Doc()->GetStore()->SetPlayOff(0, false);
    Doc()->UpdateAllViews(nullptr, HINT_LENGTH);
    EXPECT_FALSE(strip->IsPlayOff());
    EXPECT_TRUE(packed.empty()); // taking the store's values reports nothing back
}

TEST_F(MixerTest, AClickIntoAStripMakesItsTrackCurrent) {
    COndrixView* mixer = OpenMixer(3);
    frame->ActiveChild()->GetSampleView()->setFocus();
    SendClick(mixer->Strip(2)->PlayButton());
    EXPECT_EQ(Doc()->GetCurrentTrack(), 2u);
    EXPECT_TRUE(Doc()->GetStore()->GetPlayOff(2)); // the click went on to the button
}

TEST_F(MixerTest, StripReportsOfATrackTheSoundNoLongerHasAreIgnored) {
    COndrixView* mixer = OpenMixer(2);
    CMixerStrip stray(5, nullptr); // a strip past the sound's tracks
    QObject::connect(&stray, &CMixerStrip::VolumeBalanceChanged, mixer, [this](uint32_t track, int v, int b) {
        CTrackMixer(*Doc(), nullptr).SetVolumeBalance(track, v, b);
    });
    stray.CenterVolume();
    EXPECT_FALSE(Doc()->IsModified());
}

/// Playback on the simulated device hears a mixer change in the buffers after it.
class MixerPlaybackTest : public MixerTest {
protected:
    void SetUp() override {
        device.backend.SetCapture(true);
        MixerTest::SetUp();
    }
    ManualDevice device;
};

TEST_F(MixerPlaybackTest, AVolumeChangeIsHeardInTheNextBuffers) {
    COndrixView* mixer = OpenMixer(1);
    frame->ExecuteCommand(cmd::kLoop);
    frame->ExecuteCommand(cmd::kPlayStart);
    for (int i = 0; i < 3; ++i) {
        device.Advance(800, 8000);
    }
    const std::vector<uint8_t> before = device.backend.TakeCapture();
    ASSERT_FALSE(before.empty());
    // the meters show the loud part (the level timer runs while it plays)
    for (int i = 0; i < 50 && frame->VolumeBar()->ShownLevels().first == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ProcessPendingEvents();
    }
    EXPECT_GT(frame->VolumeBar()->ShownLevels().first, 0u);
    SendClick(mixer->Strip(0)->PlayButton()); // mute the only track
    for (int i = 0; i < 6; ++i) {
        device.Advance(800, 8000);
    }
    frame->ExecuteCommand(cmd::kStop);
    for (int i = 0; i < 20 && frame->GetPlayingStore(); ++i) {
        device.Advance(800, 8000, [this] { return frame->GetPlayingStore() == nullptr; });
    }
    const std::vector<uint8_t> after = device.backend.TakeCapture();
    ASSERT_GE(after.size(), 1600u);
    // the ramp played loud before; the last buffers are silent
    bool loud = false;
    for (std::size_t i = 0; i + 1 < before.size(); i += 2) {
        loud = loud || int16_t(before[i] | before[i + 1] << 8) != 0;
    }
    EXPECT_TRUE(loud);
    for (std::size_t i = after.size() - 1600; i + 1 < after.size(); i += 2) {
        EXPECT_EQ(int16_t(after[i] | after[i + 1] << 8), 0) << i;
    }
}

} // namespace

namespace {

using VolumeBarTest = EditorFixture;

TEST_F(VolumeBarTest, MainVolumeWritesTheActiveSoundAndFollowsTheActiveWindow) {
    CVolumeBar* bar = frame->VolumeBar();
    EXPECT_EQ(bar->windowTitle(), "Volume Control");
    EXPECT_FALSE(bar->MainVolume()->isEnabled()); // no document window yet
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 8000, 800)));
    COndrixDoc* first = Doc();
    EXPECT_TRUE(bar->MainVolume()->isEnabled());
    bar->MainVolume()->SetLock(false);
    bar->MainVolume()->LeftSlider()->setFocus();
    SendKey(bar->MainVolume()->LeftSlider(), Qt::Key_PageUp); // 100 + 50
    SendKey(bar->MainVolume()->RightSlider(), Qt::Key_PageDown);
    EXPECT_EQ(first->GetStore()->Mixer().mainLeft, 150);
    EXPECT_EQ(first->GetStore()->Mixer().mainRight, 50);
    EXPECT_TRUE(first->IsModified());

    ASSERT_TRUE(OpenByCommand(MakeWave("b.wav", 2, 16, 8000, 800)));
    COndrixDoc* second = Doc();
    EXPECT_EQ(bar->MainVolume()->GetLeft(), 100);
    EXPECT_EQ(bar->MainVolume()->GetRight(), 100);
    EXPECT_FALSE(second->IsModified()); // showing its main volume changes nothing
    frame->GetMdiArea()->activatePreviousSubWindow();
    ProcessPendingEvents();
    ASSERT_EQ(Doc(), first);
    EXPECT_EQ(bar->MainVolume()->GetLeft(), 150);
    EXPECT_EQ(bar->MainVolume()->GetRight(), 50);
    EXPECT_EQ(second->GetStore()->Mixer().mainLeft, 100);
}

TEST_F(VolumeBarTest, MetersFallAndTheClipMarkLatchesUntilTheNextRun) {
    CVolumeBar* bar = frame->VolumeBar();
    EXPECT_EQ(bar->LeftMeter()->SegmentCount(), 21);
    bar->ShowLevels(70, 99, true);
    EXPECT_EQ(bar->ShownLevels(), std::make_pair(100u, 100u));
    EXPECT_FALSE(bar->LeftMeter()->IsClipped());
    EXPECT_TRUE(bar->RightMeter()->IsClipped());
    for (int tick = 0; tick < 9; ++tick) {
        bar->ShowLevels(0, 0, true);
    }
    EXPECT_EQ(bar->ShownLevels(), std::make_pair(0u, 0u));
    EXPECT_TRUE(bar->RightMeter()->IsClipped()); // the mark outlasts the level
    emit frame->Transport().meteringStarted();
    EXPECT_FALSE(bar->RightMeter()->IsClipped());
}

} // namespace

TEST_F(MixerTest, TheFramesShortcutsWorkWhileATrackNameIsEdited) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 800)));
    Doc()->SetBlock(0, 399);
    ChooseMenuItem(cmd::kEditDelete);
    ASSERT_EQ(Doc()->GetStore()->GetFrameCount(), 400u);
    QApplication::setActiveWindow(frame);
    frame->UpdateCommandStates();
    QLineEdit* name = frame->ActiveChild()->GetMixerView()->Strip(0)->NameField();
    name->setFocus();
    TypeKey(name, Qt::Key_X); // plain keys still edit the name
    EXPECT_EQ(name->text(), "x");
    // Ctrl+Z undoes the sound's last edit, not the typing (a line edit claims Ctrl+Z for itself)
    TypeKey(name, Qt::Key_Z, Qt::ControlModifier);
    ProcessPendingEvents();
    EXPECT_EQ(Doc()->GetStore()->GetFrameCount(), 800u);

    QString opened;
    WhenModal([&](QWidget* modal) {
        opened = modal->objectName();
        SendKey(modal->focusWidget(), Qt::Key_Escape);
    });
    name = frame->ActiveChild()->GetMixerView()->Strip(0)->NameField();
    name->setFocus();
    TypeKey(name, Qt::Key_E, Qt::ControlModifier); // on X11 a line edit takes Ctrl+E as "end of line"
    ProcessPendingEvents();
    EXPECT_EQ(opened, "MidiAccompanimentDialog");
}
