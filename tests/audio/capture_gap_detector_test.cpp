#include "audio/capture_gap_detector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

using namespace ondrix;

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint64_t kPeriod = 2205; // 50 ms
constexpr uint64_t kBuffer = 8820; // 200 ms

/// A capture device on a test clock: it captures kRate frames a second into a queue of a capacity and
/// drops what does not fit (as a sound server does); a read shows at most one PCM buffer, as the plugin.
struct FakeCapture {
    uint64_t capacity;
    int64_t now = 0;
    uint64_t produced = 0;
    uint64_t queued = 0;
    uint64_t dropped = 0;

    void Advance(int64_t micros) { AdvanceTo(now + micros); }
    void AdvanceTo(int64_t when) {
        now = std::max(now, when);
        const uint64_t total = uint64_t(now) * kRate / 1000000;
        const uint64_t fresh = total - produced;
        produced = total;
        const uint64_t kept = std::min(fresh, capacity - queued);
        queued += kept;
        dropped += fresh - kept;
    }
};

/// Reads the device every 10 ms for a time, up to readLimit frames a read (0: nothing is read, a
/// stall); returns the silence the detector asked for.
uint64_t ReadFor(FakeCapture& device, CCaptureGapDetector& detector, int64_t millis, uint64_t readLimit,
                 int64_t jitterMicros = 0) {
    uint64_t silence = 0;
    const int64_t grid = device.now;
    for (int64_t t = 10; t <= millis; t += 10) {
        // the reader wakes late by up to the jitter, in a fixed pattern
        const int64_t late = jitterMicros * (t / 10 % 3) / 2;
        device.AdvanceTo(grid + t * 1000 + late);
        if (readLimit == 0) {
            continue;
        }
        const uint64_t got = std::min({device.queued, readLimit, kBuffer - 1});
        device.queued -= got;
        silence += detector.AfterRead(device.now, got, std::min(device.queued, kBuffer - 1));
    }
    return silence;
}

/// A device with a queue of a capacity and its detector, read for a second in the healthy way.
struct ReadRig {
    FakeCapture device;
    CCaptureGapDetector detector{kRate, kPeriod, kBuffer};

    explicit ReadRig(uint64_t capacity) : device{capacity} {
        detector.Start(0);
        ReadFor(device, detector, 1000, 4410);
    }
    /// Stalls for a time, then reads for two seconds; the silence asked for.
    uint64_t StallAndRead(int64_t millis) {
        ReadFor(device, detector, millis, 0);
        return ReadFor(device, detector, 2000, 4410);
    }
};

} // namespace

TEST(CaptureGapDetector, AHealthyStreamWithJitterAndClockDriftLosesNothing) {
    FakeCapture device{kBuffer};
    CCaptureGapDetector detector(kRate, kPeriod, kBuffer);
    detector.Start(0);
    // reads 0, 7.5 and 15 ms late in turn
    EXPECT_EQ(ReadFor(device, detector, 5000, 4410, 15000), 0u);
    // an hour on a clock 0.1 % fast: 3.6 s of drift, which the baseline follows
    FakeCapture drifting{kBuffer};
    CCaptureGapDetector slow(kRate, kPeriod, kBuffer);
    slow.Start(0);
    uint64_t silence = 0;
    for (int64_t t = 0; t < 3600000; t += 10) {
        drifting.Advance(10000);
        const uint64_t got = drifting.queued;
        drifting.queued = 0;
        silence += slow.AfterRead(drifting.now + drifting.now / 1000, got, 0);
    }
    EXPECT_EQ(silence, 0u);
    EXPECT_EQ(slow.LostFrames(), 0u);
}

TEST(CaptureGapDetector, AServerQueueThatOverflowsLosesWhatItDropped) {
    // the server keeps 1 s; a stall of 3 s after 1 s of reading drops 2 s
    ReadRig rig(kRate);
    FakeCapture& device = rig.device;
    CCaptureGapDetector& detector = rig.detector;
    EXPECT_EQ(ReadFor(device, detector, 3000, 0), 0u);
    EXPECT_EQ(device.dropped, 88200u); // 3 s captured, 1 s kept
    const uint64_t silence = ReadFor(device, detector, 2000, 4410);
    EXPECT_EQ(silence, device.dropped);
    EXPECT_EQ(detector.LostFrames(), device.dropped);
    // afterwards the stream is healthy again
    EXPECT_EQ(ReadFor(device, detector, 3000, 4410, 5000), 0u);
}

TEST(CaptureGapDetector, AFullDeviceThatKeptEverythingAndASmallLossAreNotReported) {
    // a stall of 0.5 s into a queue of 1 s: full of backlog, nothing lost
    ReadRig roomy(kRate);
    EXPECT_EQ(roomy.StallAndRead(500), 0u);
    EXPECT_EQ(roomy.device.dropped, 0u);
    // a queue of one buffer stalled as long as it holds: the first tick after it (10 ms) is lost, which
    // is under the threshold
    ReadRig small(kBuffer);
    EXPECT_EQ(small.StallAndRead(200), 0u);
    EXPECT_EQ(small.device.dropped, 441u);
    // stalled 20 ms longer, it loses 30 ms: reported
    EXPECT_EQ(small.StallAndRead(220), 441u + 882u);
}

TEST(CaptureGapDetector, AnXrunThatRestartsTheDeviceEmptyCountsTheTimeItLost) {
    // a sound card's PCM of 200 ms: a stall of 1 s overruns; the restart throws away what it held
    ReadRig rig(kBuffer);
    FakeCapture& device = rig.device;
    CCaptureGapDetector& detector = rig.detector;
    ReadFor(device, detector, 1000, 0);
    const uint64_t lost = device.dropped + device.queued;
    device.queued = 0;
    detector.NoteOverrun();
    EXPECT_EQ(ReadFor(device, detector, 1000, 4410), lost);
    // a new start (after a pause) is a new timeline: the pause is no loss
    detector.Start(device.now + 5000000);
    device.now += 5000000;
    device.produced = uint64_t(device.now) * kRate / 1000000;
    EXPECT_EQ(ReadFor(device, detector, 1000, 4410), 0u);
    EXPECT_EQ(detector.LostFrames(), lost);
}
