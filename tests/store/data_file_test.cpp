#include "base/file_exception.h"
#include "store/data_file.h"
#include "store/sample_store.h"
#include "store/temp_paths.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace ondrix;
using namespace ondrix::test;

TEST(DataFile, MemoryFileGrowsAndReadsBack) {
    CMemoryDataFile file;
    std::vector<uint8_t> big(200000);
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = uint8_t(i * 7);
    }
    file.Append(big.data(), big.size());
    file.Append(big.data(), 10);
    EXPECT_EQ(file.GetLength(), 200010u);
    std::vector<uint8_t> back(200010);
    EXPECT_EQ(file.ReadAt(0, back.data(), back.size()), back.size());
    EXPECT_TRUE(std::equal(big.begin(), big.end(), back.begin()));
    EXPECT_EQ(back[200009], big[9]);
    EXPECT_EQ(file.ReadAt(200005, back.data(), 100), 5u);
    file.SetLength(3);
    EXPECT_EQ(file.GetLength(), 3u);
    EXPECT_EQ(file.ReadAt(3, back.data(), 1), 0u);
}

TEST(DataFile, ReadsByOffsetDoNotMoveTheDescriptorPosition) {
    TempDir dir;
    auto file = CTempDataFile::Create(dir.Path());
    const char text[] = "0123456789";
    file->Append(text, 10);
    // A sequential reader on the same descriptor keeps its place across reads at other offsets.
    ASSERT_EQ(::lseek(file->GetDescriptor(), 4, SEEK_SET), 4);
    char out[3] = {};
    EXPECT_EQ(file->ReadAt(7, out, 3), 3u);
    EXPECT_EQ(std::string(out, 3), "789");
    file->WriteAt(0, "ab", 2);
    EXPECT_EQ(::lseek(file->GetDescriptor(), 0, SEEK_CUR), 4);
}

TEST(DataFile, InPlaceFileIsReadOnlyAndNeverDeleted) {
    TempDir dir;
    const std::string path = dir.Path() + "/source.wav";
    std::ofstream(path) << "RIFFdata";
    {
        auto file = CInPlaceDataFile::Open(path);
        EXPECT_TRUE(file->IsReadOnly());
        EXPECT_THROW(file->WriteAt(0, "x", 1), FileException);
        char out[4] = {};
        EXPECT_EQ(file->ReadAt(4, out, 4), 4u);
        EXPECT_EQ(std::string(out, 4), "data");
    }
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_THROW(CInPlaceDataFile::Open(dir.Path() + "/missing.wav"), FileException);
}

TEST(DataFile, ErrnoMapsToFrameworkTexts) {
    EXPECT_EQ(FileException::FromErrno(ENOSPC, "/x", true).GetMessageText(),
              "Destination disk drive is full.");
    EXPECT_EQ(FileException::FromErrno(ENOENT, "/x.wav", false).GetCause(), FileException::fileNotFound);
    EXPECT_EQ(FileException::FromErrno(EIO, "/x.wav", true).GetCause(), FileException::hardIO);
    EXPECT_EQ(FileException::FromErrno(12345, "/x.wav", true).GetMessageText(),
              "An unexpected error occurred while writing /x.wav.");
}

TEST(TempPaths, StorageRule) {
    EXPECT_EQ(StorageForPath("").mode, STORE_MEMORY);
    const StorageChoice system = StorageForPath("@~");
    EXPECT_EQ(system.mode, STORE_TEMPFILE);
    EXPECT_TRUE(system.directory.empty());
    const StorageChoice user = StorageForPath("/data/sounds");
    EXPECT_EQ(user.mode, STORE_TEMPFILE);
    EXPECT_EQ(user.directory, "/data/sounds");
}

TEST(TempPaths, SystemDirectoryHonoursTmpdir) {
    TempDir dir;
    const char* old = ::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", dir.Path().c_str(), 1);
    EXPECT_EQ(std::filesystem::path(SystemTempDirectory()), std::filesystem::path(dir.Path()));
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_TEMPFILE, "", 8, 1, 8000, false));
    EXPECT_EQ(dir.Files().size(), 1u);
    EXPECT_TRUE(store.GetTempDirectory().empty());
    store.Release();
    if (old) {
        ::setenv("TMPDIR", saved.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
    EXPECT_TRUE(dir.Files().empty());
}
