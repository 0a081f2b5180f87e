// Files that recorders and streaming writers leave behind: runs of zero bytes where chunks should be, and
// "data" chunks whose size was never filled in. Large files are sparse, so the tests stay cheap; the
// number of reads of the source shows that the walk does not step through the zeros.
#include "fileformat/wave_builder.h"
#include "fileformat/wave_messages.h"
#include "fileformat/wave_parser.h"
#include "resources/string_ids.h"
#include "store/data_file.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint64_t k64MiB = uint64_t(64) << 20;

/// A source that counts the reads that reach it.
class CCountingFile final : public CDataFile {
public:
    explicit CCountingFile(CDataFile& file) : m_file(file) {}
    std::size_t ReadAt(uint64_t offset, void* buffer, std::size_t count) override {
        ++reads;
        return m_file.ReadAt(offset, buffer, count);
    }
    void WriteAt(uint64_t offset, const void* buffer, std::size_t count) override {
        m_file.WriteAt(offset, buffer, count);
    }
    uint64_t GetLength() const override { return m_file.GetLength(); }
    void SetLength(uint64_t length) override { m_file.SetLength(length); }

    int reads = 0;

private:
    CDataFile& m_file;
};

/// Writes head and extends the file with zero bytes (a hole) to length.
std::string SparseFile(const TempDir& dir, const std::string& name, const std::vector<uint8_t>& head,
                       uint64_t length) {
    const std::string path = dir.Path() + "/" + name;
    WriteFile(path, head);
    EXPECT_EQ(::truncate(path.c_str(), off_t(length)), 0);
    return path;
}

/// The header of a 16-bit stereo 44.1 kHz file whose "data" size is dataSize.
std::vector<uint8_t> StereoHeader(uint32_t dataSize) {
    return WaveBuilder().Fmt(2, 44100, 16).Data({}, true, dataSize).Bytes();
}

/// Parses the file at path, counting the reads; the message id of a refusal, else 0.
uint32_t Parse(const std::string& path, WaveLayout& layout, int& reads) {
    const auto file = CInPlaceDataFile::Open(path);
    CCountingFile counting(*file);
    try {
        layout = ParseWave(counting);
        reads = counting.reads;
        return 0;
    } catch (const WaveFormatError& error) {
        reads = counting.reads;
        return error.MessageId();
    }
}

} // namespace

TEST(WaveZeroRun, UnfinishedRecordingOfSilenceIsItsFramesInAFewReads) {
    TempDir dir;
    const std::string path = SparseFile(dir, "crashed.wav", StereoHeader(0), k64MiB);
    WaveLayout layout;
    int reads = 0;
    ASSERT_EQ(Parse(path, layout, reads), 0u);
    EXPECT_EQ(layout.dataOffset, 44u);
    EXPECT_EQ(layout.dataSize, (k64MiB - 44) / 4 * 4);
    EXPECT_LE(reads, 2);

    FakeMessageService messages;
    CSampleStore store;
    ASSERT_TRUE(store.Load(path, STORE_INPLACE, ""));
    EXPECT_EQ(store.GetFrameCount(), (k64MiB - 44) / 4);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(WaveZeroRun, ZerosWhereTheFormatOrTheSamplesShouldBeAre31502InAFewReads) {
    TempDir dir;
    const auto riffOnly = WaveBuilder().Bytes();
    const auto fmtOnly = WaveBuilder().Fmt(2, 44100, 16).Bytes();
    for (const auto& head : {riffOnly, fmtOnly}) {
        SCOPED_TRACE(head.size());
        const std::string path = SparseFile(dir, "zeros.wav", head, k64MiB);
        WaveLayout layout;
        int reads = 0;
        EXPECT_EQ(Parse(path, layout, reads), str::kMsgUnknownWaveFormat);
        EXPECT_LE(reads, 2);
    }
}

TEST(WaveZeroRun, ZerosAfterTheSamplesEndTheTrailingChunks) {
    TempDir dir;
    const auto head =
        WaveBuilder()
            .Fmt(2, 44100, 16)
            .Data(Samples16({1, 2, 3, 4}))
            .Chunk("LIST", Join({Text("INFO", false), Text("INAM", false), U32(4), Text("Saw")}))
            .Raw(std::vector<uint8_t>(16, 0))
            .Chunk("chtt", Join({U32(2), Text("L"), U32(2), Text("R")}))
            .Bytes();
    const std::string path = SparseFile(dir, "tail.wav", head, k64MiB);
    WaveLayout layout;
    int reads = 0;
    ASSERT_EQ(Parse(path, layout, reads), 0u);
    EXPECT_EQ(layout.dataSize, 8u);
    EXPECT_EQ(layout.infoTexts[9], "Saw");
    EXPECT_EQ(layout.names[0], ""); // after the zero run: not a chunk of this file any more
    EXPECT_LE(reads, 2);
}

TEST(WaveZeroRun, ManySmallChunksCostFewReads) {
    WaveBuilder builder;
    builder.Fmt(1, 8000, 8);
    constexpr int kChunks = 5000;
    for (int i = 0; i < kChunks; ++i) {
        builder.Chunk("junk", Ramp(3)); // 12 bytes with the pad
    }
    const auto bytes = builder.Data(Ramp(10)).Bytes();
    CMemoryDataFile file(bytes.data(), bytes.size());
    CCountingFile counting(file);
    const WaveLayout layout = ParseWave(counting);
    EXPECT_EQ(layout.dataSize, 10u);
    EXPECT_EQ(layout.dataOffset, bytes.size() - 10);
    EXPECT_LT(counting.reads, kChunks / 100);
}

TEST(WaveZeroRun, SizeLeftZeroBeyondFourGigabytesTakesTheWholeFramesThatFit) {
    TempDir dir;
    const uint64_t length = (uint64_t(1) << 32) + 100;
    const std::string path = SparseFile(dir, "huge.wav", StereoHeader(0), length);
    WaveLayout layout;
    int reads = 0;
    ASSERT_EQ(Parse(path, layout, reads), 0u);
    EXPECT_EQ(layout.dataSize, 0xFFFFFFFCu);
    EXPECT_LE(reads, 3);
}

TEST(WaveUnfinished, SizeZeroOrLargestLoadsTheWholeFramesToTheEndWhateverTheRiffSize) {
    const auto samples = Samples16({10, -10, 20, -20, 30, -30});
    for (const uint32_t dataSize : {0u, 0xFFFFFFFFu}) {
        for (const std::optional<uint32_t> riffSize :
             {std::optional<uint32_t>(0), std::optional(0xFFFFFFFFu), std::optional<uint32_t>()}) {
            SCOPED_TRACE(std::to_string(dataSize) + " " + std::to_string(riffSize.value_or(1)));
            WaveBuilder builder;
            builder.Fmt(2, 22050, 16).Data(samples, true, dataSize);
            if (riffSize) {
                builder.FixRiffSize(*riffSize);
            }
            const auto bytes = builder.Bytes();
            FakeMessageService messages;
            CSampleStore store;
            ASSERT_TRUE(store.Load(bytes.data(), bytes.size(), STORE_MEMORY, ""));
            EXPECT_EQ(store.GetFrameCount(), 3u);
            EXPECT_EQ(AllBytes(store), samples);
            EXPECT_TRUE(messages.shown.empty());
        }
    }
}

TEST(WaveUnfinished, OddTrailingByteIsLeftOutAndSizeZeroAtTheEndIsAnEmptySound) {
    CSampleStore store;
    const auto odd = WaveBuilder().Fmt(1, 8000, 16).Data(Ramp(7), false, 0).Bytes();
    ASSERT_TRUE(store.Load(odd.data(), odd.size(), STORE_MEMORY, ""));
    EXPECT_EQ(store.GetDataSize(), 6u);
    EXPECT_EQ(AllBytes(store), Ramp(6));

    const auto empty = WaveBuilder().Fmt(1, 8000, 16).Data({}).Bytes();
    ASSERT_TRUE(store.Load(empty.data(), empty.size(), STORE_MEMORY, ""));
    EXPECT_TRUE(store.HasData());
    EXPECT_EQ(store.GetDataSize(), 0u);
}
