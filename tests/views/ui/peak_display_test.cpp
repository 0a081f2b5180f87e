#include "views/ui/sample_view_fixture.h"

#include "controls/ui/palette.h"
#include "support/test_store.h"

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// One hour of silence at 8000 Hz with a single full-scale click, in a file-backed store.
class PeakDisplayTest : public SampleViewFixture {
protected:
    static constexpr uint32_t kFrames = 8000u * 3600u;
    static constexpr uint32_t kClick = 12345679;

    void OpenHour() {
        g_settings.tempPath.editor = dir.Path();
        g_settings.sampleWindow.lineal = 0;
        Open(
            kFrames, 1, 16, [](uint32_t f, uint32_t) { return f == kClick ? 32767 : 0; }, 800, 100, 8000);
    }

    /// Waits until the lanes draw from a finished summary.
    void WaitForPeaks() {
        for (int i = 0; i < 400 && !doc->GetStore()->Peaks().IsReady(); ++i) {
            Wait(10);
        }
        Wait(80); // the view's poll repaints the lanes
    }

    /// The rows of the click's column that show the waveform.
    int LitRows() {
        const QImage image = Pixels(view->Lane(0));
        // the column whose frames include the click
        const LaneMapping mapping = view->Lane(0)->Mapping();
        int x = int(mapping.FrameToPixel(int64_t(kClick)));
        while (mapping.PixelToFrame(x) > kClick) {
            --x;
        }
        int lit = 0;
        for (int y = 0; y < image.height(); ++y) {
            lit += image.pixelColor(x, y) == PaletteColour(13) ? 1 : 0;
        }
        return lit;
    }

    TempDir dir;
};

TEST_F(PeakDisplayTest, AClickInAnHourOfSilenceShowsWithPeaks) {
    OpenHour();
    WaitForPeaks();
    ASSERT_TRUE(doc->GetStore()->Peaks().IsReady());
    EXPECT_GE(LitRows(), 50); // from the zero line to the top
}

TEST_F(PeakDisplayTest, WithoutPeaksOneSamplePerColumnMissesTheClick) {
    g_settings.sampleWindow.peakDisplay = 0;
    OpenHour();
    EXPECT_FALSE(doc->GetStore()->Peaks().IsReady());
    EXPECT_EQ(LitRows(), 1); // only the silent zero-line pixel
}

TEST_F(PeakDisplayTest, AnEditRebuildsTheSummary) {
    OpenHour();
    WaitForPeaks();
    const int16_t quiet = 0;
    ASSERT_TRUE(doc->GetStore()->WriteData(kClick * 2, &quiet, 2)); // the click is gone
    doc->UpdateAllViews(nullptr, HINT_DATA);
    WaitForPeaks();
    int16_t low = 1;
    int16_t high = 1;
    ASSERT_TRUE(doc->GetStore()->Peaks().Range(0, 0, kFrames, low, high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 0);
    EXPECT_EQ(LitRows(), 1);
}

/// 1000 frames in 300 columns: column 150 covers frames 500..503, and a click stands at 501.
class FinePeakDisplayTest : public SampleViewFixture {
protected:
    int LitRowsOfColumn150(int peakDisplay) {
        g_settings.sampleWindow.lineal = 0;
        g_settings.sampleWindow.peakDisplay = peakDisplay;
        Open(
            1000, 1, 16, [](uint32_t f, uint32_t) { return f == 501 ? 32767 : 0; }, 300, 100);
        const QImage image = Pixels(view->Lane(0));
        EXPECT_EQ(image.pixelColor(149, 10), PaletteColour(0));
        int lit = 0;
        for (int y = 0; y < image.height(); ++y) {
            lit += image.pixelColor(150, y) == PaletteColour(13) ? 1 : 0;
        }
        return lit;
    }
};

TEST_F(FinePeakDisplayTest, ColumnsOfAFewFramesShowEveryFrameTheyCover) {
    EXPECT_EQ(LitRowsOfColumn150(1), 50); // rows 1..50: the zero line up to the click
}

TEST_F(FinePeakDisplayTest, WithoutPeaksTheColumnShowsItsFirstFrameOnly) {
    EXPECT_EQ(LitRowsOfColumn150(0), 1); // the silent zero-line pixel of frame 500
}

} // namespace
