#include "process/piece_block.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/small_disk.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ondrix;
using namespace ondrix::test;

namespace {

uint32_t KeepRoutine(PieceBlock*) {
    return 1;
}

constexpr const char* kDiskFull = "Destination disk drive is full.";

} // namespace

TEST(DiskFull, LengthChangeReportsOnceAndKeepsTheStoreAndNoLeftovers) {
    SmallDisk disk(256 * 1024);
    FakeMessageService messages;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_TEMPFILE, disk.Path(), 16, 2, 44100, true));
    FillRamp16(store, 25000); // 100000 bytes
    const auto before = AllBytes(store);
    const std::string name = store.GetTempFileName();
    // Inserting 200000 bytes needs a 300000-byte replacement file next to the old one: it cannot fit.
    EXPECT_FALSE(store.Process(nullptr, 100, -1, true, 200000, 0, true, KeepRoutine, 0, nullptr));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kDiskFull);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.beeps.size(), 1u);
    EXPECT_EQ(store.GetDataSize(), 100000u);
    EXPECT_EQ(store.GetTempFileName(), name);
    EXPECT_EQ(AllBytes(store), before);
    EXPECT_EQ(disk.FileCount(), 1u);
}

TEST(DiskFull, AppendAndCopyReportTheFullDisk) {
    SmallDisk disk(128 * 1024);
    FakeMessageService messages;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_TEMPFILE, disk.Path(), 8, 1, 8000, false));
    std::vector<uint8_t> block(100000, 0x80);
    ASSERT_TRUE(store.AppendData(block.data(), uint32_t(block.size())));
    EXPECT_FALSE(store.AppendData(block.data(), uint32_t(block.size())));
    EXPECT_EQ(store.GetDataSize(), 100000u); // the failed append did not count
    EXPECT_EQ(std::filesystem::file_size(store.GetTempFileName()), 100000u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kDiskFull);

    CSampleStore copy;
    EXPECT_FALSE(copy.CopyFrom(STORE_TEMPFILE, disk.Path(), &store));
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, kDiskFull);
    // What was copied stays, in whole frames, and the size matches the file.
    EXPECT_LT(copy.GetDataSize(), 100000u);
    EXPECT_EQ(copy.GetDataSize(), AllBytes(copy).size());

    copy.m_showErrors = 0;
    EXPECT_FALSE(copy.CopyFrom(STORE_TEMPFILE, disk.Path(), &store));
    EXPECT_EQ(messages.shown.size(), 2u);
}
