#include "fileformat/wave_builder.h"
#include "fileformat/wave_format.h"
#include "base/progress.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/small_disk.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kSavingText = 1029;

/// A progress display registered for the status bar while it lives; remembers the last percentage.
class RecordingProgress final : public CHeadlessProgress {
public:
    RecordingProgress() {
        SetAbortWithoutAsking(true);
        RegisterProgressDisplay(kStatusBarWindowId, this);
    }
    ~RecordingProgress() override { RegisterProgressDisplay(kStatusBarWindowId, nullptr); }
    std::vector<uint32_t> percents;
    uint32_t textId = 0;

protected:
    void OnPercent() override {
        percents.push_back(GetLastPercent());
        textId = GetTextId();
    }
};

void MakeSparseFile(const std::string& path, uint64_t length) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t(length)), 0);
    ::close(fd);
}

void MakeStore(CSampleStore& store, uint32_t frames) {
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, 44100, true));
    FillRamp16(store, frames);
    store.m_progressWindowId = kStatusBarWindowId;
    store.m_progressTextId = kSavingText;
}

} // namespace

TEST(WaveSaveSafety, SavingOverAFileReplacesItKeepingItsPermissions) {
    TempDir dir;
    const std::string path = dir.Path() + "/song.wav";
    WriteFile(path, Text("old contents"));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    CSampleStore store;
    MakeStore(store, 100);
    RecordingProgress progress;
    ASSERT_TRUE(store.Save(path, false));
    EXPECT_EQ(ReadFile(path).size(), 44u + 400u);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.Files().size(), 1u);
    ASSERT_FALSE(progress.percents.empty());
    EXPECT_EQ(progress.percents.back(), 100u);
    EXPECT_EQ(progress.textId, kSavingText);
    EXPECT_FALSE(progress.IsActive());
}

TEST(WaveSaveSafety, NewFileGetsTheUsualPermissions) {
    TempDir dir;
    const mode_t mask = ::umask(022);
    CSampleStore store;
    MakeStore(store, 10);
    ASSERT_TRUE(store.Save(dir.Path() + "/new.wav", false));
    ::umask(mask);
    struct stat info {};
    ASSERT_EQ(::stat((dir.Path() + "/new.wav").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"new.wav"});
}

TEST(WaveSaveSafety, AbortLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.Path() + "/song.wav";
    WriteFile(path, Text("old contents"));
    FakeMessageService messages;
    CSampleStore store;
    MakeStore(store, 100000);
    RecordingProgress progress;
    progress.RequestAbort();
    EXPECT_FALSE(store.Save(path, false));
    EXPECT_EQ(ReadFile(path), Text("old contents"));
    EXPECT_EQ(dir.Files().size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(store.GetDataSize(), 400000u); // the store is unchanged
}

TEST(WaveSaveSafety, FullDiskIsReportedOnceAndKeepsTheOldFile) {
    SmallDisk disk(96 * 1024);
    const std::string path = disk.Path() + "/song.wav";
    WriteFile(path, Ramp(20000));
    FakeMessageService messages;
    CSampleStore store;
    MakeStore(store, 30000); // 120000 bytes cannot fit beside the old file
    EXPECT_FALSE(store.Save(path, false));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Destination disk drive is full.");
    EXPECT_EQ(ReadFile(path), Ramp(20000));
    EXPECT_EQ(disk.FileCount(), 1u);
    EXPECT_EQ(AllBytes(store).size(), 120000u);
}

TEST(WaveSaveSafety, MissingDirectoryIsReportedWithTheTargetName) {
    FakeMessageService messages;
    CSampleStore store;
    MakeStore(store, 10);
    EXPECT_FALSE(store.Save("/nonexistent/dir/out.wav", false));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "/nonexistent/dir/out.wav was not found.");
}

TEST(WaveSaveSafety, DevicesAreWrittenDirectly) {
    CSampleStore store;
    MakeStore(store, 10);
    EXPECT_TRUE(store.Save("/dev/null", false));
    struct stat info {};
    ASSERT_EQ(::stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(WaveSaveSafety, SymbolicLinkStaysALinkToTheNewContents) {
    TempDir dir;
    const std::string real = dir.Path() + "/real.wav";
    const std::string link = dir.Path() + "/link.wav";
    WriteFile(real, Text("old"));
    std::filesystem::create_symlink(real, link);
    CSampleStore store;
    MakeStore(store, 10);
    ASSERT_TRUE(store.Save(link, false));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(real).size(), 84u);
    EXPECT_EQ(dir.Files().size(), 2u);
}

TEST(WaveSaveSafety, InPlaceStoreSavesOverItsOwnSource) {
    TempDir dir;
    const std::string path = dir.Path() + "/song.wav";
    WriteFile(path, WaveBuilder().Fmt(1, 8000, 8).Data(Ramp(3000)).Bytes());
    CSampleStore store;
    ASSERT_TRUE(store.Load(path, STORE_INPLACE, ""));
    store.m_trackNames[0] = "Named now";
    ASSERT_TRUE(store.Save(path, false));
    EXPECT_EQ(AllBytes(store), Ramp(3000)); // still reads its samples

    CSampleStore again;
    ASSERT_TRUE(again.Load(path, STORE_MEMORY, ""));
    EXPECT_EQ(AllBytes(again), Ramp(3000));
    EXPECT_EQ(again.m_trackNames[0], "Named now");
}

TEST(WaveSizeLimits, SoundsNearFourGigabytesAreRefusedInsteadOfWrapping) {
    TempDir dir;
    const std::string huge = dir.Path() + "/huge.raw";
    MakeSparseFile(huge, 0xFFFFFFF0ull);
    FakeMessageService messages;
    CSampleStore store;
    ASSERT_TRUE(store.LoadRaw(huge, RawFormat{8000, 1, 8, 0}, STORE_INPLACE, ""));
    EXPECT_EQ(store.GetDataSize(), 0xFFFFFFF0u);

    // 44 + 0xFFFFFFF0 bytes: the RIFF size would wrap.
    EXPECT_FALSE(store.Save(dir.Path() + "/out.wav", false));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              dir.Path() + "/out.wav would grow beyond the largest size a WAVE file can hold.");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/out.wav"));

    EXPECT_FALSE(store.Save("", false));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].helpId, 32102u);
    EXPECT_EQ(dir.Files().size(), 1u);
}

TEST(WaveSizeLimits, RawFileOverFourGigabytesIsRefusedWithItsMessage) {
    TempDir dir;
    const std::string huge = dir.Path() + "/huge.raw";
    MakeSparseFile(huge, 0x100000002ull);
    FakeMessageService messages;
    CSampleStore store;
    EXPECT_FALSE(store.LoadRaw(huge, RawFormat{8000, 1, 8, 0}, STORE_INPLACE, ""));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, 32100u);
    EXPECT_EQ(messages.shown[0].text,
              "The file " + huge +
                  " holds more than 4 GB of sample data, the largest size a WAVE file can "
                  "hold.\nThis file cannot be opened.");
    // From offset 3 on, 0xFFFFFFFF bytes remain: that still fits.
    EXPECT_TRUE(store.LoadRaw(huge, RawFormat{8000, 1, 8, 3}, STORE_INPLACE, ""));
    EXPECT_EQ(store.GetDataSize(), 0xFFFFFFFFu);
}
