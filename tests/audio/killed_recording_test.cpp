#include "audio/signal_source.h"
#include "audio_test_support.h"
#include "store/leftover_stores.h"
#include "store/sample_store.h"
#include "support/child_process.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ondrix;
using namespace ondrix::test;

TEST(KilledRecording, TheTakeOfAKilledProgramComesBackWithEveryRecordedFrame) {
    TempDir dir;
    constexpr uint32_t kRate = 8000;
    const pid_t pid = RunInChild([&] {
        // the program: a take recording from the simulated input, killed in the middle of it
        auto* rig = new SimRig;
        rig->backend.SetInputSource([](const AudioFormat& format) {
            return std::unique_ptr<ISignalSource>(CGeneratorSource::Ramp(format));
        });
        auto* take = new CSampleStore;
        take->Create(STORE_TEMPFILE, dir.Path(), 16, 2, kRate, true);
        take->KeepRecoveryNote({RecoveryKind::Take, "", "Untitled 1", 0});
        take->StartRecording(-1, 400);
        take->TogglePause();
        for (int buffer = 0; buffer < 12; ++buffer) { // 100 frames a buffer, handed back and queued again
            rig->clock.AdvanceFrames(100, kRate);
            rig->WaitInputQueued(2);
        }
        rig->clock.AdvanceFrames(50, kRate); // the input is in the middle of a buffer when the end comes
        const std::string path = take->GetTempFileName();
        WaitUntil([&] { return std::filesystem::file_size(path) >= 1200 * 4; });
    });
    ASSERT_GT(pid, 0);
    KillChild(pid);

    LeftoverScan scan = ScanForLeftovers({dir.Path()});
    ASSERT_EQ(scan.offers.size(), 1u);
    EXPECT_EQ(scan.offers[0].Description().identity.kind, RecoveryKind::Take);
    CSampleStore take;
    ASSERT_TRUE(scan.offers[0].RestoreInto(take));
    const uint32_t frames = take.GetFrameCount();
    EXPECT_GE(frames, 1200u);
    EXPECT_LE(frames, 1250u);
    std::vector<int16_t> expected;
    for (uint32_t f = 0; f < frames; ++f) {
        expected.push_back(int16_t(uint16_t(f * 7)));
        expected.push_back(int16_t(uint16_t(f * 7 + 1000)));
    }
    EXPECT_EQ(Decode16(AllBytes(take)), expected);
}
