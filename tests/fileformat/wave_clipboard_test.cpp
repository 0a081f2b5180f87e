#include "fileformat/builtin_sound.h"
#include "fileformat/wave_builder.h"
#include "fileformat/wave_clipboard.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A clipboard that cannot be opened, or that holds something other than WAVE data.
class ClosedClipboard final : public IWaveClipboard {
public:
    ClosedClipboard() : m_previous(SetWaveClipboard(this)) {}
    ~ClosedClipboard() override { SetWaveClipboard(m_previous); }
    bool SetWave(std::vector<uint8_t>) override { return false; }
    bool GetWave(std::vector<uint8_t>&) override { return false; }
    bool HasWave() override { return false; }

private:
    IWaveClipboard* m_previous;
};

} // namespace

TEST(WaveClipboard, CopyAndPasteKeepFormatAndSamplesButNotNamesOrMixer) {
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 3, 32000, true));
    FillRamp16(store, 50);
    store.m_trackNames[0] = "Named";
    MixerBlock mixer = store.Mixer();
    mixer.volume[1] = 20;
    store.SetMixer(mixer);
    ASSERT_TRUE(store.Save("", false));
    EXPECT_TRUE(WaveClipboard().HasWave());

    TempDir dir;
    CSampleStore pasted;
    ASSERT_TRUE(pasted.LoadClipboardWave(STORE_TEMPFILE, dir.Path()));
    EXPECT_EQ(pasted.GetTrackCount(), 3u);
    EXPECT_EQ(pasted.GetSampleRate(), 32000u);
    EXPECT_EQ(AllBytes(pasted), AllBytes(store));
    EXPECT_EQ(pasted.m_trackNames[0], "");
    EXPECT_EQ(pasted.Mixer().volume[1], 100);
    EXPECT_EQ(dir.Files().size(), 1u);
}

TEST(WaveClipboard, ClosedClipboardFailsPasteSilentlyAndCopyWithAMessage) {
    ClosedClipboard closed;
    FakeMessageService messages;
    CSampleStore store;
    EXPECT_FALSE(store.LoadClipboardWave(STORE_MEMORY, ""));
    EXPECT_TRUE(messages.shown.empty());

    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    FillRamp8(store, 10);
    EXPECT_FALSE(store.Save("", false));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The clipboard cannot be opened.");
    EXPECT_EQ(store.GetDataSize(), 10u);
}

TEST(WaveClipboard, RawBlockOnTheClipboardIsNotAWave) {
    FakeMessageService messages;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    FillRamp8(store, 64);
    ASSERT_TRUE(store.Save("", true));
    CSampleStore pasted;
    EXPECT_FALSE(pasted.LoadClipboardWave(STORE_MEMORY, ""));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, 31501u);
}

TEST(BuiltinSound, InternalWaveIsElevenKilohertzMonoEightBitOfTheStatedLength) {
    CSampleStore store;
    ASSERT_TRUE(store.LoadResourceWave(kInternalWaveId, STORE_MEMORY, ""));
    EXPECT_EQ(store.GetSampleRate(), 11025u);
    EXPECT_EQ(store.GetTrackCount(), 1u);
    EXPECT_EQ(store.GetBitsPerSample(), 8u);
    EXPECT_EQ(store.GetDataSize(), 204326u);
    const auto samples = AllBytes(store);
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    EXPECT_LT(*low, 60); // it is a sound, not silence
    EXPECT_GT(*high, 196);
    EXPECT_NEAR(int(samples.front()), 128, 2); // it starts and ends quietly
    EXPECT_NEAR(int(samples.back()), 128, 2);

    const auto image = FindWaveResource(kInternalWaveId);
    ASSERT_EQ(image.size(), 44u + 204326u);
    EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 44), Join({Text("RIFF", false),
                                                                             U32(36 + 204326),
                                                                             Text("WAVEfmt ", false),
                                                                             U32(16),
                                                                             {1, 0, 1, 0},
                                                                             U32(11025),
                                                                             U32(11025),
                                                                             {1, 0, 8, 0},
                                                                             Text("data", false),
                                                                             U32(204326)}));
}

TEST(BuiltinSound, UnknownIdsFailWithoutTouchingTheStore) {
    FakeMessageService messages;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    EXPECT_FALSE(store.LoadResourceWave(154, STORE_MEMORY, ""));
    EXPECT_TRUE(store.HasData());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(FindWaveResource(0).empty());
}
