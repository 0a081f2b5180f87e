#include "accompaniment/cd_image.h"
#include "audio/accompaniment_backends.h"
#include "audio/counting_listener.h"
#include "audio/sim_session.h"
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Names a CD source for the lifetime of the object.
class ScopedCdSource {
public:
    explicit ScopedCdSource(const std::string& source) { setenv("ONDRIX_CD_SOURCE", source.c_str(), 1); }
    ~ScopedCdSource() { unsetenv("ONDRIX_CD_SOURCE"); }
};

class CdioBackend : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(image.IsValid()) << "sox could not make the disc image";
        ASSERT_NE(CurrentCdBackend(), nullptr);
    }
    CCdImage image;
    ScopedCdSource source{image.CuePath()};
    CSimSession sim{CSimClock::Mode::Unpaced, true};
};

} // namespace

TEST_F(CdioBackend, TableOfContentsGivesTheTrackLengths) {
    std::unique_ptr<ICdPlayer> cd = CurrentCdBackend()->Open({-1, 65536});
    ASSERT_TRUE(cd);
    uint32_t sectors = 0;
    ASSERT_TRUE(cd->TrackSectors(1, sectors));
    EXPECT_EQ(sectors, 150u); // 2 s of 75 sectors
    ASSERT_TRUE(cd->TrackSectors(2, sectors));
    EXPECT_EQ(sectors, 225u);
    const CdLength length = CdLengthOfSectors(sectors);
    EXPECT_EQ(length.minutes, 0u);
    EXPECT_EQ(length.seconds, 3u);
    EXPECT_EQ(length.frames, 0u);
    EXPECT_FALSE(cd->TrackSectors(0, sectors));
    EXPECT_FALSE(cd->TrackSectors(5, sectors));
}

TEST_F(CdioBackend, OneTrackPlaysExactlyTheImagesBytes) {
    std::unique_ptr<ICdPlayer> cd = CurrentCdBackend()->Open({-1, 65536});
    ASSERT_TRUE(cd);
    CountingListener listener;
    ASSERT_TRUE(cd->Play(2, true, listener));
    ASSERT_TRUE(WaitUntil([&] { return listener.ended.load() == 1; }));
    EXPECT_FALSE(listener.lastFailed.load());
    EXPECT_EQ(sim.backend.LastFormat().rate, 44100u);
    EXPECT_EQ(sim.backend.TakeCapture(), image.TrackBytes(2));
}

TEST_F(CdioBackend, PlayingOnFromATrackReachesTheEndOfTheDisc) {
    std::unique_ptr<ICdPlayer> cd = CurrentCdBackend()->Open({-1, 65536});
    ASSERT_TRUE(cd);
    CountingListener listener;
    ASSERT_TRUE(cd->Play(1, false, listener));
    ASSERT_TRUE(WaitUntil([&] { return listener.ended.load() == 1; }));
    EXPECT_EQ(sim.backend.TakeCapture(), image.Bytes());
}

TEST_F(CdioBackend, MissingTrackDoesNotPlay) {
    std::unique_ptr<ICdPlayer> cd = CurrentCdBackend()->Open({-1, 65536});
    ASSERT_TRUE(cd);
    CountingListener listener;
    EXPECT_FALSE(cd->Play(5, true, listener));
    EXPECT_FALSE(sim.backend.IsOutputOpen());
    EXPECT_EQ(listener.ended.load(), 0);
}

TEST_F(CdioBackend, NewPlayCutsTheOldOneOffAndTellsItsListener) {
    CSimSession paced(CSimClock::Mode::RealTime, true);
    std::unique_ptr<ICdPlayer> cd = CurrentCdBackend()->Open({-1, 8192});
    ASSERT_TRUE(cd);
    CountingListener first;
    CountingListener second;
    ASSERT_TRUE(cd->Play(2, true, first));
    ASSERT_TRUE(cd->Play(1, true, second));
    EXPECT_EQ(first.ended.load(), 1);
    EXPECT_EQ(second.ended.load(), 0);
    cd->Stop();
    EXPECT_EQ(second.ended.load(), 0);
    EXPECT_FALSE(paced.backend.IsOutputOpen());
}

TEST(CdioSource, NoDriveAndNoImageOpensNothing) {
    ASSERT_NE(CurrentCdBackend(), nullptr);
    setenv("ONDRIX_CD_SOURCE", "/nonexistent/disc.cue", 1);
    EXPECT_FALSE(CurrentCdBackend()->Open({-1, 65536}));
    setenv("ONDRIX_CD_SOURCE", "/nonexistent/dev/cdrom", 1);
    EXPECT_FALSE(CurrentCdBackend()->Open({-1, 65536}));
    unsetenv("ONDRIX_CD_SOURCE");
}
