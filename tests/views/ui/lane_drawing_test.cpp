#include "views/ui/sample_view_fixture.h"

#include "controls/ui/palette.h"

using namespace ondrix;
using namespace ondrix::test;

namespace {

const QColor kBlack = PaletteColour(0);
const QColor kGrey = PaletteColour(1);
const QColor kGreen = PaletteColour(13);
const QColor kRed = PaletteColour(11);

class LaneDrawingTest : public SampleViewFixture {
protected:
    /// One track in a lane 100 pixels high (no ruler) and 300 wide.
    void OneLane(uint32_t bits, int value, uint32_t frames = 1000) {
        g_settings.sampleWindow.lineal = 0;
        g_settings.sampleWindow.peakDisplay = 0; // one sample per column, pixel for pixel
        Open(
            frames, 1, bits, [value](uint32_t, uint32_t) { return value; }, 300, 100);
        ASSERT_EQ(view->LaneCount(), 1);
        ASSERT_EQ(view->Lane(0)->height(), 100);
    }

    /// The rows of a column painted in a colour.
    static std::vector<int> RowsOf(const QImage& image, int x, const QColor& colour) {
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) == colour) {
                rows.push_back(y);
            }
        }
        return rows;
    }
};

TEST_F(LaneDrawingTest, ThreeLanesUnderTheRulerWithThreeColouredSeparators) {
    Open(
        1000, 3, 16, [](uint32_t, uint32_t) { return 0; }, 400, 250);
    ASSERT_EQ(view->LaneCount(), 3);
    ASSERT_NE(view->Ruler(), nullptr);
    EXPECT_EQ(view->Ruler()->geometry(), QRect(0, 0, 400, 20));
    EXPECT_EQ(view->Lane(0)->geometry(), QRect(0, 23, 400, 74));  // [23, 97)
    EXPECT_EQ(view->Lane(1)->geometry(), QRect(0, 100, 400, 73)); // [100, 173)
    EXPECT_EQ(view->Lane(2)->geometry(), QRect(0, 176, 400, 74)); // [176, 250)
    EXPECT_EQ(view->Lane(1)->GetControlId(), 301);
    const QImage image = Pixels(view->viewport());
    const QPalette palette = view->palette();
    for (int top : {20, 97, 173}) {
        EXPECT_EQ(image.pixel(5, top), palette.color(QPalette::Light).rgb()) << top;
        EXPECT_EQ(image.pixel(5, top + 1), palette.color(QPalette::Button).rgb()) << top;
        EXPECT_EQ(image.pixel(5, top + 2), palette.color(QPalette::Dark).rgb()) << top;
    }
}

TEST_F(LaneDrawingTest, AConstantSignalFillsASymmetricBar) {
    OneLane(16, 16384); // y0 = 50, d = 25
    const QImage image = Pixels(view->Lane(0));
    std::vector<int> expected;
    for (int y = 25; y <= 75; ++y) {
        expected.push_back(y);
    }
    EXPECT_EQ(RowsOf(image, 10, kGreen), expected);
    EXPECT_EQ(At(image, 10, 24), kBlack);
    EXPECT_EQ(At(image, 10, 76), kBlack);
    EXPECT_EQ(RowsOf(image, 10, kGrey), std::vector<int>{}); // the bars cover the zero line
}

TEST_F(LaneDrawingTest, WithoutSolidSamplesALineRunsThroughTheValuesOverTheZeroLine) {
    g_settings.sampleWindow.solidSample = 0;
    OneLane(16, 16384);
    const QImage image = Pixels(view->Lane(0));
    EXPECT_EQ(RowsOf(image, 10, kGreen), std::vector<int>{25});
    EXPECT_EQ(RowsOf(image, 10, kGrey), std::vector<int>{50});
    EXPECT_EQ(At(image, 10, 75), kBlack);
}

TEST_F(LaneDrawingTest, EightBitFullScaleReachesAlmostTheTop) {
    OneLane(8, 255); // (255 - 128) x 256 = 32512: d = 50 x 32512 / 32768 = 49
    const QImage image = Pixels(view->Lane(0));
    const std::vector<int> rows = RowsOf(image, 100, kGreen);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), 1);
    EXPECT_EQ(rows.back(), 99);
    EXPECT_EQ(At(image, 100, 0), kBlack);
}

TEST_F(LaneDrawingTest, SilenceDrawsOnTheZeroLineRowAndTheZeroLineOnlyPastTheEnd) {
    OneLane(8, 128, 100);
    doc->SetZoom(1); // 100 frames in 300 columns
    ProcessPendingEvents();
    const QImage image = Pixels(view->Lane(0));
    EXPECT_EQ(RowsOf(image, 50, kGreen), std::vector<int>{50});
    EXPECT_EQ(RowsOf(image, 99, kGreen), std::vector<int>{50});
    EXPECT_EQ(RowsOf(image, 100, kGrey), std::vector<int>{50});
    EXPECT_EQ(RowsOf(image, 299, kGrey), std::vector<int>{50});
    EXPECT_EQ(RowsOf(image, 100, kGreen), std::vector<int>{});
}

TEST_F(LaneDrawingTest, TheBlockColourShowsOnlyOnEditedTracksBetweenTheBlocksFrames) {
    g_settings.sampleWindow.lineal = 0;
    g_settings.edit.allTracks = 0; // only the current track (0) is edited
    Open(
        1000, 2, 16, [](uint32_t, uint32_t) { return 8000; }, 300, 200);
    doc->SetZoom(1);
    doc->SetBlock(100, 199);
    ProcessPendingEvents();
    const QImage edited = Pixels(view->Lane(0));
    const QImage other = Pixels(view->Lane(1));
    const int y0 = view->Lane(0)->height() / 2;
    EXPECT_EQ(At(edited, 99, y0), kGreen);
    EXPECT_EQ(At(edited, 100, y0), kRed);
    EXPECT_EQ(At(edited, 199, y0), kRed);
    EXPECT_EQ(At(edited, 200, y0), kGreen);
    EXPECT_EQ(At(other, 150, y0), kGreen);
    // with "All Tracks" both edited tracks show it
    g_settings.edit.allTracks = 1;
    doc->UpdateAllViews(nullptr, HINT_EDIT_STATE);
    ProcessPendingEvents();
    EXPECT_EQ(At(Pixels(view->Lane(1)), 150, y0), kRed);
    // a block of one frame (cursor == anchor) is not drawn
    doc->SetBlock(150, 150);
    ProcessPendingEvents();
    EXPECT_EQ(At(Pixels(view->Lane(0)), 150, y0), kGreen);
}

TEST_F(LaneDrawingTest, AHiddenTrackHasNoLaneAndTheOnlyLaneFollowsTrackOne) {
    g_settings.edit.allTracks = 0;
    Open(
        1000, 2, 16, [](uint32_t, uint32_t) { return 8000; }, 300, 120);
    doc->GetStore()->m_trackFlags[0] = 0;
    doc->UpdateAllViews(nullptr, HINT_TRACK_SHOWN);
    ASSERT_EQ(view->LaneCount(), 1);
    EXPECT_EQ(view->Lane(0)->GetTrack(), 1u);
    EXPECT_EQ(view->Lane(0)->GetControlId(), 301);
    doc->SetZoom(1);
    doc->SetBlock(10, 20);
    ProcessPendingEvents();
    const int y0 = view->Lane(0)->height() / 2;
    EXPECT_EQ(At(Pixels(view->Lane(0)), 15, y0), kGreen); // track 1 is not the current track
    doc->SetCurrentTrack(1);
    ProcessPendingEvents();
    EXPECT_EQ(At(Pixels(view->Lane(0)), 15, y0), kRed);
}

TEST_F(LaneDrawingTest, TheRulerLabelsTenSecondsAt44100EverySecond) {
    g_settings.sampleWindow.timeFmt = 0; // None: labels are frame numbers
    Open(
        441000, 1, 16, [](uint32_t, uint32_t) { return 0; }, 1000, 120);
    std::vector<QString> labels;
    for (const auto& [tick, label] : view->Ruler()->LabelledTicks()) {
        if (!label.isEmpty()) {
            labels.push_back(label);
        }
    }
    // the labels of frame numbers 6 digits wide fit at 0.5 s (50 pixels) apart
    ASSERT_EQ(labels.size(), 21u);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(labels[i], QString::number(22050 * i));
    }
}

} // namespace
