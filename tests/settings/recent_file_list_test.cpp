#include "settings/core/memory_profile_store.h"
#include "settings/core/recent_file_list.h"

#include <gtest/gtest.h>

using namespace ondrix;

using Paths = std::vector<std::string>;

TEST(RecentFileList, NewestFirstFourAtMost) {
    CRecentFileList list;
    for (const char* path : {"/a.wav", "/b.wav", "/c.wav", "/d.wav", "/e.wav"}) {
        list.Add(path);
    }
    EXPECT_EQ(list.Paths(), (Paths{"/e.wav", "/d.wav", "/c.wav", "/b.wav"}));
    list.Add("/c.wav"); // already listed: moves to the front
    EXPECT_EQ(list.Paths(), (Paths{"/c.wav", "/e.wav", "/d.wav", "/b.wav"}));
    list.Add("");
    EXPECT_EQ(list.Paths().size(), 4u);
    list.Remove(1);
    list.Remove(9);
    EXPECT_EQ(list.Paths(), (Paths{"/c.wav", "/d.wav", "/b.wav"}));
}

TEST(RecentFileList, ReadsAndWritesFileKeys) {
    CMemoryProfileStore store;
    store.WriteString("RecentFiles", "File1", "/x.wav");
    store.WriteString("RecentFiles", "File3", "/z.wav"); // File2 is missing
    store.WriteString("RecentFiles", "File5", "/beyond.wav");
    CRecentFileList list;
    list.Read(store);
    EXPECT_EQ(list.Paths(), (Paths{"/x.wav", "/z.wav"}));
    list.Add("/new.wav");
    list.Write(store);
    EXPECT_EQ(store.GetString("RecentFiles", "File1", ""), "/new.wav");
    EXPECT_EQ(store.GetString("RecentFiles", "File2", ""), "/x.wav");
    EXPECT_EQ(store.GetString("RecentFiles", "File3", ""), "/z.wav");
    EXPECT_FALSE(store.Has("RecentFiles", "File4"));
    list.Clear();
    list.Write(store);
    EXPECT_FALSE(store.Has("RecentFiles", "File1"));
}

TEST(RecentFileList, DisplayNamesAreShortened) {
    EXPECT_EQ(AbbreviatePath("/music/song.wav", 30), "/music/song.wav");
    // 31 characters: the first folder goes.
    EXPECT_EQ(AbbreviatePath("/home/user/music/takes/song.wav", 30), "/.../user/music/takes/song.wav");
    EXPECT_EQ(AbbreviatePath("/home/user/music/takes/song.wav", 20), "/.../takes/song.wav");
    EXPECT_EQ(AbbreviatePath("/home/user/music/takes/song.wav", 12), "song.wav");
    EXPECT_EQ(AbbreviatePath("projects/2024/mix/final.wav", 20), ".../mix/final.wav");
    EXPECT_EQ(AbbreviatePath("a-very-long-file-name-without-folders.wav", 30),
              "a-very-long-file-name-without-folders.wav");
    CRecentFileList list;
    list.Add("/home/user/music/takes/song.wav");
    EXPECT_EQ(list.DisplayName(0), "/.../user/music/takes/song.wav");
    EXPECT_EQ(list.DisplayName(1), "");
}
