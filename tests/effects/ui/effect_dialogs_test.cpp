#include "../effects_test_util.h"
#include "app/ui/editor_qt_support.h"
#include "controls/ui/range_edit.h"
#include "controls/ui/time_edit.h"
#include "effects/dialogs/curve_preview.h"
#include "effects/dialogs/distort_dialog.h"
#include "effects/dialogs/echo_dialog.h"
#include "effects/dialogs/envelope_dialog.h"
#include "effects/dialogs/envelope_editor.h"
#include "effects/dialogs/modulation_dialog.h"
#include "effects/dialogs/oscillator_preview.h"
#include "effects/dialogs/param_row.h"
#include "effects/dialogs/stretch_dialog.h"
#include "support/fake_message_service.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class EffectDialogsTest : public QtApplicationFirst, public ::testing::Test {
protected:
    /// A context over a silent mono sound of frames at rate, the block first..last, in a time format.
    EffectDialogContext Context(int64_t first, int64_t last, uint8_t format = TIMEFMT_SAMPLES,
                                uint32_t rate = 8000, uint32_t frames = 10000) {
        m_stores.push_back(MakeStore(16, 1, std::vector<int32_t>(frames, 0), rate));
        EffectDialogContext context;
        context.store = m_stores.back().get();
        context.firstFrame = first;
        context.lastFrame = last;
        context.timeFormat = TimeFormat{format};
        return context;
    }

    /// Shows a dialog and lets it lay itself out.
    static void Open(QDialog& dialog) {
        dialog.show();
        ProcessPendingEvents();
    }

    /// Presses Return in the widget with the focus (OK).
    static void PressReturn(QDialog& dialog) { SendKey(dialog.focusWidget(), Qt::Key_Return); }

    /// The text of a parameter's number edit.
    static QString NumberText(const CParamDialog& dialog, const ParamSpec& param) {
        return dialog.RowOf(param)->NumberEdit()->Field()->text();
    }

    /// Replaces the text of a parameter's number edit by typing.
    static void TypeNumber(const CParamDialog& dialog, const ParamSpec& param, int value) {
        ReplaceText(dialog.RowOf(param)->NumberEdit()->Field(), QString::number(value));
    }

    FakeMessageService messages;
    std::vector<std::unique_ptr<CSampleStore>> m_stores; ///< every dialog's sound lives as long as the test
};

TEST_F(EffectDialogsTest, EchoStartsWithTheSettingsAndAPreferenceFillsTheFields) {
    CEchoDialog dialog(Context(0, 9999));
    EffectSettings settings;
    dialog.Load(settings);
    Open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Echo/Hall");
    EXPECT_EQ(dialog.focusWidget(), dialog.Preferences());
    EXPECT_EQ(dialog.Preferences()->currentIndex(), -1);
    EXPECT_EQ(dialog.RowOf(EchoParams::kDelay)->TimeEdit()->GetValue(), 1600u); // 200 ms at 8000 Hz
    EXPECT_EQ(NumberText(dialog, EchoParams::kCount), "3");

    ChooseEntry(dialog.Preferences(), 2); // "Hall (Building)"
    EXPECT_EQ(dialog.Preferences()->currentText(), "Hall (Building)");
    EXPECT_EQ(dialog.RowOf(EchoParams::kDelay)->TimeEdit()->GetValue(), 400u);
    EXPECT_EQ(NumberText(dialog, EchoParams::kCount), "5");
    EXPECT_EQ(NumberText(dialog, EchoParams::kFirstVolume), "30");
    EXPECT_EQ(NumberText(dialog, EchoParams::kLastVolume), "10");
    PressReturn(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.Store(settings);
    EXPECT_EQ(settings.echo, (EchoParams{50, 5, 30, 10}));
    EXPECT_EQ(dialog.DelayFrames(), 400);
}

TEST_F(EffectDialogsTest, EchoDelayTypedInFramesRunsInFramesAndIsStoredInMilliseconds) {
    CEchoDialog dialog(Context(0, 99, TIMEFMT_SAMPLES, 44100));
    EffectSettings settings;
    settings.echo.delay = 1;
    dialog.Load(settings);
    Open(dialog);
    ReplaceText(dialog.RowOf(EchoParams::kDelay)->TimeEdit()->Field(0), QStringLiteral("30"));
    PressReturn(dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.Store(settings);
    EXPECT_EQ(dialog.DelayFrames(), 30);
    EXPECT_EQ(settings.echo.delay, 0); // 30 frames are 0.68 ms
}

TEST_F(EffectDialogsTest, EchoRefusesValuesOutsideTheRanges) {
    CEchoDialog dialog(Context(0, 99));
    dialog.Load(EffectSettings{});
    Open(dialog);
    // the block holds 100 frames: the delay runs to 98
    ReplaceText(dialog.RowOf(EchoParams::kDelay)->TimeEdit()->Field(0), QStringLiteral("99"));
    PressReturn(dialog);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "The value in this edit field must be between 0 to 98.\nPlease check your input.");
    ReplaceText(dialog.RowOf(EchoParams::kDelay)->TimeEdit()->Field(0), QStringLiteral("98"));
    TypeNumber(dialog, EchoParams::kCount, 101);
    PressReturn(dialog);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "Please enter an integer between 1 and 100.");
    SendKey(dialog.focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(EffectDialogsTest, OnAOneFrameBlockTheDelayAndPeriodAcceptTheirLowerBound) {
    CEchoDialog echo(Context(5, 5));
    echo.Load(EffectSettings{});
    Open(echo);
    EXPECT_EQ(echo.RowOf(EchoParams::kDelay)->TimeEdit()->GetMaximum(), 0u);
    ReplaceText(echo.RowOf(EchoParams::kDelay)->TimeEdit()->Field(0), QStringLiteral("0"));
    PressReturn(echo);
    EXPECT_EQ(echo.result(), QDialog::Accepted);

    CModulationDialog tremolo(EffectKind::Tremolo, Context(5, 5));
    EffectSettings settings;
    settings.tremolo.periodMode = 1;
    tremolo.Load(settings);
    Open(tremolo);
    EXPECT_EQ(tremolo.RowOf(kTremoloSpecs.period)->TimeEdit()->GetMaximum(), 1u);
    PressReturn(tremolo);
    EXPECT_EQ(tremolo.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EffectDialogsTest, CrossFadeShowsPeriodZeroAsTheBlockAndHandsBackZero) {
    CModulationDialog dialog(EffectKind::CrossFade, Context(100, 1100, TIMEFMT_MS));
    EffectSettings settings; // saw tooth, period mode, period 0
    dialog.Load(settings);
    Open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Cross Fade");
    EXPECT_TRUE(dialog.PeriodRadio()->isChecked());
    EXPECT_EQ(dialog.PeriodRadio()->text(), "&Cross Fade Time");
    CParamRow* period = dialog.RowOf(kCrossFadeSpecs.period);
    CParamRow* frequency = dialog.RowOf(kCrossFadeSpecs.frequency);
    EXPECT_TRUE(period->Editor()->isVisible());
    EXPECT_FALSE(frequency->Editor()->isVisible());
    EXPECT_EQ(period->TimeEdit()->GetValue(), 125u); // 1000 frames at 8000 Hz
    PressReturn(dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.Store(settings);
    EXPECT_EQ(settings.crossFade, (ModulationParams{WAVE_SAWTOOTH, 1, 0, 5, 100}));

    // choosing frequency mode shows the frequency's edit only; an edited period is taken as typed
    CModulationDialog again(EffectKind::CrossFade, Context(100, 1100, TIMEFMT_SAMPLES));
    again.Load(settings);
    Open(again);
    ReplaceText(again.RowOf(kCrossFadeSpecs.period)->TimeEdit()->Field(0), QStringLiteral("500"));
    again.FrequencyRadio()->click();
    EXPECT_FALSE(again.RowOf(kCrossFadeSpecs.period)->Editor()->isVisible());
    EXPECT_TRUE(again.RowOf(kCrossFadeSpecs.frequency)->Editor()->isVisible());
    again.PeriodRadio()->click();
    PressReturn(again);
    again.Store(settings);
    EXPECT_EQ(settings.crossFade.period, 500);
}

TEST_F(EffectDialogsTest, TremoloPreferencesAndPreviewFollowWaveformAndDepth) {
    CModulationDialog dialog(EffectKind::Tremolo, Context(0, 7999));
    EffectSettings settings;
    dialog.Load(settings);
    Open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Create Tremolo");
    EXPECT_TRUE(dialog.FrequencyRadio()->isChecked());
    ChooseEntry(dialog.Preferences(), 2); // "Fast Tremolo"
    EXPECT_EQ(NumberText(dialog, kTremoloSpecs.frequency), "500");
    EXPECT_EQ(NumberText(dialog, kTremoloSpecs.depth), "80");
    COscillatorPreview* preview = dialog.Preview();
    // a sine arch: at the middle of the width the gain is the depth
    EXPECT_NEAR(preview->HeightAt(100, 200), 0.80, 1e-9);
    ChooseEntry(dialog.RowOf(kTremoloSpecs.waveform)->ChoiceBox(), WAVE_SQUARE);
    TypeNumber(dialog, kTremoloSpecs.depth, 50);
    EXPECT_DOUBLE_EQ(preview->HeightAt(10, 200), 0.0);
    EXPECT_DOUBLE_EQ(preview->HeightAt(150, 200), 0.5);
    PressReturn(dialog);
    dialog.Store(settings);
    EXPECT_EQ(settings.tremolo, (ModulationParams{WAVE_SQUARE, 0, 0, 500, 50}));
}

TEST_F(EffectDialogsTest, DistortShowsTheDepthOnlyForSineAndDiode) {
    CDistortDialog dialog(Context(0, 99));
    EffectSettings settings;
    dialog.Load(settings);
    Open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Distort");
    CParamRow* depth = dialog.RowOf(DistortParams::kDepth);
    QComboBox* type = dialog.RowOf(DistortParams::kType)->ChoiceBox();
    EXPECT_EQ(type->count(), 5);
    EXPECT_FALSE(depth->Editor()->isVisible());
    EXPECT_FALSE(depth->Label()->isVisible());
    for (int t = 0; t < 5; ++t) {
        ChooseEntry(type, t);
        EXPECT_EQ(depth->Editor()->isVisible(), t == DIST_SINE || t == DIST_DIODE) << t;
    }
    // the preview draws the diode's curve: level 20 cuts at 80 % of full scale down to the depth
    TypeNumber(dialog, DistortParams::kLevel, 20);
    TypeNumber(dialog, DistortParams::kDepth, 10);
    CCurvePreview* preview = dialog.Preview();
    EXPECT_NEAR(preview->HeightAt(200, 201), 0.5 + 0.10 / 2, 1e-9);
    EXPECT_NEAR(preview->HeightAt(150, 201), 0.5 + 0.5 / 2, 1e-9);
    // a hidden depth is not checked, a preference fills type, level and depth
    ChooseEntry(dialog.Preferences(), 2);
    EXPECT_FALSE(depth->Editor()->isVisible());
    PressReturn(dialog);
    dialog.Store(settings);
    EXPECT_EQ(settings.distort, (DistortParams{DIST_VALVE, 80, 100}));
}

TEST_F(EffectDialogsTest, AnUntouchedAdjustTimeHandsBackTheExactLength) {
    // 66157 frames at 44100 Hz are 1500 ms, and 1500 ms are 66150 frames
    CStretchDialog dialog(Context(0, 66156, TIMEFMT_MS, 44100, 70000));
    EffectSettings settings;
    settings.stretch.length = 66157;
    dialog.Load(settings);
    Open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Adjust Time");
    EXPECT_EQ(dialog.OldLength()->text(),
              QString::fromStdString(FormatTime(1500, TimeFormat{TIMEFMT_MS}, false)));
    PressReturn(dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.Store(settings);
    EXPECT_EQ(settings.stretch.length, 66157);

    CStretchDialog frames(Context(0, 66156, TIMEFMT_SAMPLES, 44100, 70000));
    frames.Load(settings);
    Open(frames);
    EXPECT_EQ(frames.OldLength()->text(), "66157");
    ReplaceText(frames.RowOf(StretchParams::kLength)->TimeEdit()->Field(0), QStringLiteral("0"));
    PressReturn(frames);
    EXPECT_TRUE(frames.isVisible()); // below 1
    ReplaceText(frames.RowOf(StretchParams::kLength)->TimeEdit()->Field(0), QStringLiteral("1000"));
    PressReturn(frames);
    frames.Store(settings);
    EXPECT_EQ(settings.stretch.length, 1000);
}

TEST_F(EffectDialogsTest, EnvelopeFadeInPreferenceIsStoredInThe1024Form) {
    CEnvelopeDialog dialog(Context(0, 7999));
    EffectSettings settings;
    settings.envelope.level = 40;
    dialog.Load(settings);
    Open(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Envelope");
    EXPECT_EQ(dialog.focusWidget(), dialog.Editor());
    ChooseEntry(dialog.Preferences(), 1); // "Fade In"
    EXPECT_EQ(NumberText(dialog, EnvelopeParams::kLevel), "100");
    PressReturn(dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.Store(settings);
    EXPECT_EQ(settings.envelope.level, 100);
    EXPECT_EQ(settings.envelope.points, (std::vector<EnvelopePoint>{{0, 0}, {102, 100}, {1024, 100}}));
}

TEST_F(EffectDialogsTest, EnvelopeStartsWithTheStoredCurveAndCancelKeepsIt) {
    CEnvelopeDialog dialog(Context(0, 2048));
    EffectSettings settings;
    settings.envelope.points = {{0, 10}, {512, 80}, {1024, 0}};
    dialog.Load(settings);
    Open(dialog);
    EXPECT_EQ(dialog.Editor()->Points(), (std::vector<EnvelopePoint>{{0, 10}, {1024, 80}, {2048, 0}}));
    SendKey(dialog.focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    // an empty list shows the silent curve the run would use
    CEnvelopeDialog empty(Context(0, 2048));
    empty.Load(EffectSettings{});
    EXPECT_EQ(empty.Editor()->Points(), (std::vector<EnvelopePoint>{{0, 0}, {2048, 0}}));
}

/// The envelope editor driven by the mouse: a 200 x 101 pixel editor over 2000 frames (10 frames a pixel,
/// a drag distance of 30 frames).
class EnvelopeEditorTest : public QtApplicationFirst, public ::testing::Test {
protected:
    EnvelopeEditorTest() {
        editor.SetLength(2000);
        editor.resize(200, 101);
        editor.show();
        QObject::connect(&editor, &CEnvelopeEditor::MouseAt, &editor,
                         [this](int64_t position, int32_t volume) {
                             mouse = {position, volume};
                         });
    }

    void Press(Qt::MouseButton button, QPoint at) {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(at), editor.mapToGlobal(QPointF(at)), button,
                          button, Qt::NoModifier);
        QApplication::sendEvent(&editor, &event);
    }
    void Move(QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), editor.mapToGlobal(QPointF(at)), Qt::NoButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(&editor, &event);
    }
    void Release(Qt::MouseButton button, QPoint at) {
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(at), editor.mapToGlobal(QPointF(at)), button,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&editor, &event);
    }

    CEnvelopeEditor editor;
    std::pair<int64_t, int32_t> mouse{-1, -1};
};

TEST_F(EnvelopeEditorTest, PixelsMapToPositionsAndVolumes) {
    EXPECT_EQ(editor.PositionAt(0), 0);
    EXPECT_EQ(editor.PositionAt(100), 1000);
    EXPECT_EQ(editor.DragDistance(), 30);
    EXPECT_EQ(editor.VolumeAt(0), 100); // ((101 - 0) x 4 - 4) x 25 / 100
    EXPECT_EQ(editor.VolumeAt(50), 50); // (51 x 4 - 4) x 25 / 100
    EXPECT_EQ(editor.VolumeAt(100), 0);
    EXPECT_EQ(editor.VolumeAt(120), 0); // clamped
}

TEST_F(EnvelopeEditorTest, LeftButtonInsertsAndDragsRightButtonDeletes) {
    editor.SetPoints({{0, 0}, {2000, 0}});
    Press(Qt::LeftButton, {100, 50});
    EXPECT_EQ(editor.Points(), (std::vector<EnvelopePoint>{{0, 0}, {1000, 50}, {2000, 0}}));
    Move({120, 0}, Qt::LeftButton);
    Release(Qt::LeftButton, {130, 0});
    EXPECT_EQ(editor.Points()[1], (EnvelopePoint{1300, 100}));
    EXPECT_EQ(mouse, (std::pair<int64_t, int32_t>{1200, 100}));
    // a press within 2d (60 frames) of a point takes it; the neighbour keeps it 60 frames away
    Press(Qt::LeftButton, {135, 0});
    Release(Qt::LeftButton, {199, 100});
    EXPECT_EQ(editor.Points(), (std::vector<EnvelopePoint>{{0, 0}, {1940, 0}, {2000, 0}}));
    // the right button deletes the point near the mouse, and only one
    Press(Qt::RightButton, {194, 0});
    EXPECT_EQ(editor.Points(), (std::vector<EnvelopePoint>{{0, 0}, {2000, 0}}));
    Press(Qt::RightButton, {100, 0});
    EXPECT_EQ(editor.Points().size(), 2u);
}

TEST_F(EnvelopeEditorTest, KeepsAMinimumHeightAndIgnoresTheMouseBelowTwoPixels) {
    EXPECT_GE(editor.minimumHeight(), 2);
    editor.setMinimumHeight(0);
    editor.resize(200, 1);
    editor.SetPoints({{0, 0}, {2000, 0}});
    Press(Qt::LeftButton, {100, 0});
    Release(Qt::LeftButton, {100, 0});
    Move({50, 0}, Qt::NoButton);
    EXPECT_EQ(editor.Points().size(), 2u);
    EXPECT_EQ(mouse.first, -1);
    EXPECT_GE(editor.VolumeAt(0), 0); // no division by zero
}

TEST_F(EnvelopeEditorTest, OnAShortBlockTheDragDistanceIsOneFrame) {
    editor.SetLength(4);
    EXPECT_EQ(editor.DragDistance(), 1);
}

} // namespace
