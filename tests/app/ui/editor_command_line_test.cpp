#include "app/command_line.h"
#include "support/test_store.h"

#include <QDir>

#include <fstream>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

TEST(CommandLine, EmptyAndPlainFileNames) {
    EXPECT_TRUE(ParseCommandLine("   ").empty);
    CommandLine line = ParseCommandLine("  song.wav ");
    EXPECT_FALSE(line.empty);
    EXPECT_EQ(line.action, CommandLine::Open);
    EXPECT_EQ(line.file, "song.wav");
    line = ParseCommandLine("my song.wav");
    EXPECT_EQ(line.file, "my song.wav");
}

TEST(CommandLine, SwitchesActByTheirSecondLetter) {
    CommandLine line = ParseCommandLine("/p take 1.wav");
    EXPECT_EQ(line.action, CommandLine::Play);
    EXPECT_EQ(line.file, "take 1.wav");
    EXPECT_EQ(ParseCommandLine("/Play x.wav").action, CommandLine::Play);
    EXPECT_EQ(ParseCommandLine("/r x.wav").action, CommandLine::Record);
    line = ParseCommandLine("/Q whatever follows");
    EXPECT_EQ(line.action, CommandLine::Quit);
    EXPECT_TRUE(line.file.isEmpty());
    EXPECT_EQ(ParseCommandLine("/q").action, CommandLine::Quit);
    line = ParseCommandLine("/x file.wav"); // unknown letters are ignored, the switch is still taken off
    EXPECT_EQ(line.action, CommandLine::Open);
    EXPECT_EQ(line.file, "file.wav");
}

TEST(CommandLine, InternalWaveTakesTheNameWordOff) {
    CommandLine line = ParseCommandLine("/iWave Demo /tmp/a b.wav");
    EXPECT_TRUE(line.internalWave);
    EXPECT_EQ(line.nameWord, "Demo");
    EXPECT_EQ(line.file, "/tmp/a b.wav");
    line = ParseCommandLine("/IWAVE Wave");
    EXPECT_TRUE(line.internalWave);
    EXPECT_EQ(line.file, "Wave"); // one word left: it is the file
    line = ParseCommandLine("/wave Name x.wav");
    EXPECT_TRUE(line.wave);
    EXPECT_FALSE(line.internalWave);
    EXPECT_EQ(line.file, "x.wav");
}

TEST(CommandLine, AbsolutePathsAreNeverSwitches) {
    CommandLine line = ParseCommandLine("/home/user/my song.wav");
    EXPECT_EQ(line.action, CommandLine::Open);
    EXPECT_EQ(line.file, "/home/user/my song.wav");
    TempDir dir;
    std::ofstream(dir.Path() + "/p q.wav") << "x";
    // an existing file is a file even where its first word looked like a switch
    const QString path = QString::fromStdString(dir.Path() + "/p q.wav");
    EXPECT_EQ(ParseCommandLine(path).file, path);
}

TEST(CommandLine, RelativeFilesBecomeAbsoluteForAnotherInstance) {
    TempDir dir;
    std::ofstream(dir.Path() + "/take 2.wav") << "x";
    const QDir here(QString::fromStdString(dir.Path()));
    EXPECT_EQ(AbsoluteCommandLine("/p take 2.wav", here), "/p " + here.absoluteFilePath("take 2.wav"));
    EXPECT_EQ(AbsoluteCommandLine("take 2.wav", here), here.absoluteFilePath("take 2.wav"));
    EXPECT_EQ(AbsoluteCommandLine("/iWave Wave", here), "/iWave Wave"); // no such file: unchanged
    EXPECT_EQ(AbsoluteCommandLine("", here), "");
}

} // namespace
