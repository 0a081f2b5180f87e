#include "app/ui/editor_qt_support.h"
#include "document/device_accompaniment.h"
#include "document/ui/fake_accompaniment_devices.h"
#include "resources/string_ids.h"
#include "settings/core/settings.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class DeviceAccompanimentTest : public ::testing::Test, public QtApplicationFirst {
protected:
    void SetUp() override {
        g_settings = Settings{};
        g_settings.record.syncTrack = 4;
        g_settings.record.syncBreak = 1;
        g_settings.record.syncMidiFile = midiPath;
        g_settings.record.syncTempo = 300;
        WriteSmallMidiFile(midiPath);
    }
    void TearDown() override {
        g_settings = Settings{};
        std::remove(midiPath.c_str());
    }

    FakeDevices devices;
    ScopedAccompanimentBackends scope{&devices, &devices};
    FakeMessageService messages;
    int endings = 0;
    CDeviceAccompaniment accompaniment{[this] { ++endings; }};
    TempDir scratch;
    std::string midiPath = scratch.Path() + "/device-accompaniment.mid";
};

} // namespace

TEST_F(DeviceAccompanimentTest, NothingEnabledOpensNothing) {
    accompaniment.Open();
    accompaniment.Start();
    EXPECT_EQ(devices.log.open, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DeviceAccompanimentTest, TheSettingsOfThePrepareChooseTrackTempoAndStop) {
    g_settings.record.syncCD = 1;
    g_settings.record.syncMidi = 1;
    accompaniment.Open();
    EXPECT_EQ(devices.log.open, 2);
    EXPECT_EQ(devices.log.tempos, std::vector<int>{256}); // 300 is clamped
    accompaniment.Start();
    EXPECT_EQ(devices.log.tracksPlayed, std::vector<int>{4});
    EXPECT_EQ(devices.log.toTrackEnd, std::vector<bool>{true});
    accompaniment.Close();
    EXPECT_EQ(devices.log.open, 0);
    accompaniment.Close(); // a second close does nothing
    EXPECT_EQ(endings, 0);
}

TEST_F(DeviceAccompanimentTest, TheEndOfPlayEndsTheRecordingOnTheUserInterfaceThread) {
    g_settings.record.syncCD = 1;
    accompaniment.Open();
    accompaniment.Start();
    devices.EndPlay();
    EXPECT_EQ(endings, 0); // posted, not called on the device's thread
    ProcessPendingEvents();
    EXPECT_EQ(endings, 1);
}

TEST_F(DeviceAccompanimentTest, AnEndArrivingAfterTheCloseFindsNoDevice) {
    g_settings.record.syncCD = 1;
    accompaniment.Open();
    accompaniment.Start();
    devices.EndPlay();
    accompaniment.Close(); // the recording was stopped by hand meanwhile
    ProcessPendingEvents();
    EXPECT_EQ(endings, 0);
}

TEST_F(DeviceAccompanimentTest, FailuresAreShownAndTheOtherDeviceStillPlays) {
    g_settings.record.syncCD = 1;
    g_settings.record.syncMidi = 1;
    g_settings.record.syncMidiFile = scratch.Path() + "/missing.mid";
    g_settings.record.syncTrack = 77; // not on the disc
    accompaniment.Open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kMidiPlaybackError);
    accompaniment.Start();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].helpId, str::kCdPlaybackError);
    EXPECT_EQ(devices.log.open, 0);
}
