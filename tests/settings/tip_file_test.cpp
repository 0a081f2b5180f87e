#include "settings/core/tip_file.h"
#include "support/test_store.h"

#include <fstream>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

std::string WriteFile(const TempDir& dir, const std::string& name, const std::string& text) {
    const std::string path = dir.Path() + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(TipFile, SkipsCommentAndIndentedLinesAndBreaksAtDoubleDollar) {
    TempDir dir;
    CTipFile file;
    ASSERT_TRUE(file.Open(WriteFile(dir, "t.tip", "; comment\n indented\n\tTabbed\n\nFirst$$tip\nSecond\n")));
    EXPECT_EQ(file.ReadNextTip().value_or("?"), "First\ntip");
    EXPECT_EQ(file.ReadNextTip().value_or("?"), "Second");
}

TEST(TipFile, WrapsToTheFirstTipAfterTheLast) {
    TempDir dir;
    CTipFile file;
    ASSERT_TRUE(file.Open(WriteFile(dir, "t.tip", "One\n;x\nTwo\n;tail")));
    EXPECT_EQ(*file.ReadNextTip(), "One");
    EXPECT_EQ(*file.ReadNextTip(), "Two");
    EXPECT_EQ(*file.ReadNextTip(), "One");
}

TEST(TipFile, ContinuesFromAStoredPosition) {
    TempDir dir;
    const std::string path = WriteFile(dir, "t.tip", "One\r\nTwo\r\nThree\r\n");
    uint64_t position = 0;
    {
        CTipFile file;
        ASSERT_TRUE(file.Open(path));
        EXPECT_EQ(*file.ReadNextTip(), "One"); // the carriage return of a DOS line is dropped
        position = file.Position();
        EXPECT_EQ(position, 5u);
    }
    CTipFile again;
    ASSERT_TRUE(again.Open(path));
    again.Seek(position);
    EXPECT_EQ(*again.ReadNextTip(), "Two");
    again.Seek(9999); // beyond the end (the file got shorter): from the start
    EXPECT_EQ(*again.ReadNextTip(), "One");
}

TEST(TipFile, AFileWithoutTipsEndsAfterOnePass) {
    TempDir dir;
    CTipFile file;
    ASSERT_TRUE(file.Open(WriteFile(dir, "t.tip", "; only\n comments\n")));
    EXPECT_FALSE(file.ReadNextTip());
    file.Seek(7); // the second line
    EXPECT_FALSE(file.ReadNextTip());
    CTipFile empty;
    ASSERT_TRUE(empty.Open(WriteFile(dir, "e.tip", "")));
    EXPECT_FALSE(empty.ReadNextTip());
}

TEST(TipFile, KeepsAThousandCharactersOfALongLineAndDropsTheRest) {
    TempDir dir;
    CTipFile file;
    ASSERT_TRUE(file.Open(WriteFile(dir, "t.tip", std::string(1500, 'a') + "\nNext\n")));
    EXPECT_EQ(file.ReadNextTip()->size(), CTipFile::kMaxTipLength);
    EXPECT_EQ(*file.ReadNextTip(), "Next"); // the rest of the long line is no tip of its own
}

TEST(TipFile, MissingFileAndPathBesideTheProgram) {
    CTipFile file;
    EXPECT_FALSE(file.Open("/nonexistent/dir/ondrix.tip"));
    EXPECT_FALSE(file.ReadNextTip());
    EXPECT_EQ(TipFileBeside("/usr/bin/ondrix"), "/usr/bin/ondrix.tip");
    EXPECT_EQ(TipFileBeside("/opt/ondrix.app/ondrix.exe"), "/opt/ondrix.app/ondrix.tip");
    // a dot in a folder name is no extension of the program
    EXPECT_EQ(TipFileBeside("/home/u/.local/bin/ondrix"), "/home/u/.local/bin/ondrix.tip");
    EXPECT_EQ(TipFileBeside("/home/u/.ondrix"), "/home/u/.ondrix.tip");
}

} // namespace
