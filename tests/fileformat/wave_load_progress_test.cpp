#include "fileformat/wave_builder.h"
#include "base/progress.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kLoadingText = 1028;

class AbortingProgress final : public CHeadlessProgress {
public:
    explicit AbortingProgress(uint32_t abortAt) : m_abortAt(abortAt) {
        SetAbortWithoutAsking(true);
        RegisterProgressDisplay(kStatusBarWindowId, this);
    }
    ~AbortingProgress() override { RegisterProgressDisplay(kStatusBarWindowId, nullptr); }
    uint32_t last = 0;
    int begun = 0;

protected:
    void OnBegin() override { ++begun; }
    void OnPercent() override {
        last = GetLastPercent();
        if (last >= m_abortAt) {
            RequestAbort();
        }
    }

private:
    uint32_t m_abortAt;
};

} // namespace

TEST(WaveLoadProgress, ShowsTheLoadingTextUpToOneHundred) {
    TempDir dir;
    const std::string path = dir.Path() + "/long.wav";
    WriteFile(path, WaveBuilder().Fmt(1, 8000, 8).Data(Ramp(1 << 20)).Bytes());
    AbortingProgress progress(1000);
    CSampleStore store;
    store.m_progressWindowId = kStatusBarWindowId;
    store.m_progressTextId = kLoadingText;
    ASSERT_TRUE(store.Load(path, STORE_MEMORY, ""));
    EXPECT_EQ(progress.begun, 1);
    EXPECT_EQ(progress.last, 100u);
    EXPECT_FALSE(progress.IsActive());
}

TEST(WaveLoadProgress, AbortLeavesAnEmptyStoreAndNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.Path() + "/long.wav";
    WriteFile(path, WaveBuilder().Fmt(1, 8000, 8).Data(Ramp(1 << 20)).Bytes());
    TempDir temp;
    FakeMessageService messages;
    AbortingProgress progress(1);
    CSampleStore store;
    store.m_progressWindowId = kStatusBarWindowId;
    store.m_progressTextId = kLoadingText;
    EXPECT_FALSE(store.Load(path, STORE_MEMORY, ""));
    EXPECT_FALSE(store.HasData());
    EXPECT_FALSE(store.Load(path, STORE_TEMPFILE, temp.Path()));
    EXPECT_TRUE(temp.Files().empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(progress.IsActive());
}

TEST(WaveLoadProgress, NoDisplayWithoutBothIds) {
    const auto bytes = WaveBuilder().Fmt(1, 8000, 8).Data(Ramp(100)).Bytes();
    AbortingProgress progress(1000);
    CSampleStore store;
    store.m_progressWindowId = kStatusBarWindowId;
    ASSERT_TRUE(store.Load(bytes.data(), bytes.size(), STORE_MEMORY, ""));
    EXPECT_EQ(progress.begun, 0);
}
