#include "settings/core/memory_profile_store.h"
#include "settings/core/settings.h"
#include "settings/core/settings_fields.h"
#include "support/fake_message_service.h"

#include <gtest/gtest.h>

#include <map>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Every single-valued setting as "section/key" -> its value in text.
std::map<std::string, std::string> Flatten(const Settings& settings) {
    std::map<std::string, std::string> values;
    auto add = [&](const std::string& section, const std::string& key, const auto& field) {
        if constexpr (std::is_same_v<std::decay_t<decltype(field)>, std::string>) {
            values[section + "/" + key] = "text:" + field;
        } else {
            values[section + "/" + key] = std::to_string(field);
        }
    };
    VisitSettingFields(settings, add);
    return values;
}

/// Gives every single-valued setting its own value, unlike its default.
void FillDistinct(Settings& settings) {
    int next = 1;
    auto fill = [&](const std::string&, const std::string& key, auto& field) {
        using Field = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, std::string>) {
            field = "/tmp/value " + key + " ä,@";
        } else if constexpr (std::is_same_v<Field, uint8_t>) {
            field = static_cast<uint8_t>(200 + next % 50);
        } else {
            field = -100000 - next * 7;
        }
        ++next;
    };
    VisitSettingFields(settings, fill);
}

} // namespace

TEST(SettingsDefaults, MissingKeysTakeTheirDefaults) {
    CMemoryProfileStore empty;
    Settings loaded;
    loaded.edit.effects.echo.delay = 999; // loading replaces everything
    LoadSettings(empty, false, loaded);
    EXPECT_EQ(Flatten(loaded), Flatten(Settings()));
    EXPECT_EQ(loaded.accels, BuiltInAccelTable()); // no stored count: the built-in shortcuts
    EXPECT_TRUE(loaded.recentFiles.Paths().empty());
    EXPECT_TRUE(loaded.toolBars.empty());
    EXPECT_TRUE(loaded.openDocuments.empty());
    EXPECT_TRUE(loaded.edit.effects.envelope.points.empty());
    EXPECT_EQ(loaded.window.show, SHOW_NORMAL);
    EXPECT_FALSE(loaded.window.HasRect());
}

TEST(SettingsDefaults, TableValues) {
    const Settings s;
    const std::map<std::string, std::string> flat = Flatten(s);
    const std::map<std::string, std::string> expected = {{"Desktop/LastFileName", "text:"},
                                                         {"Desktop/BitsPerSample", "16"},
                                                         {"Desktop/Channels", "2"},
                                                         {"Desktop/SampleRate", "44100"},
                                                         {"Desktop/SearchLevel", "80"},
                                                         {"Desktop/SearchConfirm", "1"},
                                                         {"Desktop/OwnClipBoard", "1"},
                                                         {"Desktop/ExpertMode", "0"},
                                                         {"Desktop/RecalcBars", "1"},
                                                         {"Edit/DistLevel", "100"},
                                                         {"Edit/DistDepth", "20"},
                                                         {"Edit/TremFreq", "5"},
                                                         {"Edit/TremMod", "80"},
                                                         {"Edit/CrossType", "3"},
                                                         {"Edit/CrossTimeType", "1"},
                                                         {"Edit/CrossMod", "100"},
                                                         {"Edit/EchoCount", "3"},
                                                         {"Edit/EchoDelay", "200"},
                                                         {"Edit/EchoVolume1", "50"},
                                                         {"Edit/EchoVolume2", "10"},
                                                         {"Edit/Dynamic", "150"},
                                                         {"Edit/Mix", "50"},
                                                         {"Edit/Speed", "100"},
                                                         {"Edit/EnvLevel", "100"},
                                                         {"Edit/UndoCount", "1"},
                                                         {"SampleWindow/Selected", "11"},
                                                         {"SampleWindow/ForeGround", "13"},
                                                         {"SampleWindow/ZeroLine", "1"},
                                                         {"SampleWindow/TimeFmt", "8"},
                                                         {"SampleWindow/FPS", "30"},
                                                         {"SampleWindow/Inverse", "0"},
                                                         {"SampleWindow/PeakDisplay", "1"},
                                                         {"PlayBack/Port", "-1"},
                                                         {"PlayBack/Buffer", "65536"},
                                                         {"PlayBack/ScrollCursor", "1"},
                                                         {"Record/SyncBreak", "1"},
                                                         {"Record/SyncTrack", "1"},
                                                         {"Record/SyncTempo", "120"},
                                                         {"Record/MidiPort", "-1"},
                                                         {"Record/LatencyMs", "0"},
                                                         {"SynchroPlay/UseFile", "1"},
                                                         {"SynchroPlay/BitsPerSample", "16"},
                                                         {"SynchroPlay/Buffer", "65536"},
                                                         {"TempPath/Editor", "text:@~"},
                                                         {"TempPath/Clipboard", "text:@~"},
                                                         {"TempPath/Record", "text:@~"},
                                                         {"TempPath/SynchroPlay", "text:@~"}};
    for (const auto& [key, value] : expected) {
        ASSERT_TRUE(flat.count(key)) << key;
        EXPECT_EQ(flat.at(key), value) << key;
    }
    EXPECT_EQ(flat.size(), 84u); // every single-valued key of the store
}

TEST(SettingsRoundTrip, EveryKeyWithItsType) {
    Settings s;
    FillDistinct(s);
    CMemoryProfileStore store;
    ASSERT_TRUE(WriteSettings(store, s));
    // Numbers are stored as integers, texts as texts.
    VisitSettingFields(s, [&](const std::string& section, const std::string& key, const auto& field) {
        ASSERT_TRUE(store.Has(section, key)) << section << "/" << key;
        const CMemoryProfileStore::Value& stored = store.GetValues().at({section, key});
        if constexpr (std::is_same_v<std::decay_t<decltype(field)>, std::string>) {
            EXPECT_EQ(std::get<std::string>(stored), field) << key;
        } else {
            EXPECT_EQ(std::get<int32_t>(stored), int32_t{field}) << key;
        }
    });
    Settings loaded;
    LoadSettings(store, false, loaded);
    EXPECT_EQ(Flatten(loaded), Flatten(s));
}

TEST(SettingsRoundTrip, ByteWideValuesKeepTheirLowByte) {
    CMemoryProfileStore store;
    store.WriteInt("Edit", "EchoCount", 300);      // 300 & 0xFF = 44
    store.WriteInt("SampleWindow", "TimeFmt", -1); // 255
    store.WriteString("Edit", "UndoCount", "258"); // a number stored as text still reads: 2
    store.WriteInt("Edit", "EchoDelay", 300000);   // integers are not cut
    store.WriteString("Edit", "Mix", "many");      // not a number: the default
    Settings s;
    LoadSettings(store, false, s);
    EXPECT_EQ(s.edit.effects.echo.count, 44);
    EXPECT_EQ(s.sampleWindow.timeFmt, 255);
    EXPECT_EQ(s.edit.undoCount, 2);
    EXPECT_EQ(s.edit.effects.echo.delay, 300000);
    EXPECT_EQ(s.edit.mix, 50);
}

TEST(SettingsRoundTrip, DistortionKeysKeepTheirCrossedMeaning) {
    CMemoryProfileStore store;
    store.WriteInt("Edit", "DistDepth", 33); // the level
    store.WriteInt("Edit", "DistLevel", 77); // the depth
    Settings s;
    LoadSettings(store, false, s);
    EXPECT_EQ(s.edit.effects.distort.level, 33);
    EXPECT_EQ(s.edit.effects.distort.depth, 77);
    s.edit.effects.distort.level = 21;
    s.edit.effects.distort.depth = 99;
    ASSERT_TRUE(WriteSettings(store, s));
    EXPECT_EQ(store.GetInt("Edit", "DistDepth", 0), 21);
    EXPECT_EQ(store.GetInt("Edit", "DistLevel", 0), 99);
}

TEST(SettingsFirstRun, FirstKeyDecides) {
    CMemoryProfileStore store;
    EXPECT_TRUE(IsFirstRun(store));
    store.WriteInt("", "First", 5);
    EXPECT_TRUE(IsFirstRun(store));
    EXPECT_TRUE(EndFirstRun(store));
    EXPECT_EQ(store.GetInt("", "First", 1), 0);
    EXPECT_EQ(store.GetFlushCount(), 1); // written at once
    EXPECT_FALSE(IsFirstRun(store));
}

TEST(SettingsFirstRun, OnlyDefaultsAreSetAndTheBuiltInTableIsSaved) {
    CMemoryProfileStore store;
    store.WriteInt("Edit", "EchoDelay", 1234);
    store.WriteString("RecentFiles", "File1", "/old.wav");
    store.WriteInt("Accels", "Count", 0);
    store.WriteInt("Windows-Summary", "Count", 1);
    store.WriteString("Windows-Window0", "Path", "/old.wav");
    Settings s;
    LoadSettings(store, true, s);
    EXPECT_EQ(Flatten(s), Flatten(Settings()));
    EXPECT_TRUE(s.recentFiles.Paths().empty());
    EXPECT_TRUE(s.openDocuments.empty());
    EXPECT_TRUE(s.toolBars.empty()); // the standard arrangement
    EXPECT_EQ(s.accels, BuiltInAccelTable());

    CMemoryProfileStore saved;
    ASSERT_TRUE(WriteSettings(saved, s));
    ASSERT_EQ(saved.GetInt("Accels", "Count", 0), 37);
    std::multiset<std::pair<std::string, int>> keys;
    for (int i = 0; i < 37; ++i) {
        AccelEntry e;
        e.flags = static_cast<uint8_t>(saved.GetInt("Accels", "Flags" + std::to_string(i), 0));
        e.key = static_cast<uint16_t>(saved.GetInt("Accels", "Keys" + std::to_string(i), 0));
        keys.insert({AccelName(e), saved.GetInt("Accels", "Cmd" + std::to_string(i), 0)});
    }
    const std::multiset<std::pair<std::string, int>> expected = {
        {"Ctrl+A", 57642},       {"Ctrl+B", 32822},       {"Ctrl+C", 57634},
        {"Ctrl+Insert", 57634},  {"Ctrl+D", 32853},       {"Ctrl+E", 32833},
        {"Ctrl+F", 32808},       {"Ctrl+G", 32811},       {"Ctrl+I", 32807},
        {"Ctrl+M", 32855},       {"Ctrl+N", 57600},       {"Ctrl+O", 57601},
        {"Ctrl+R", 32806},       {"Ctrl+Shift+R", 32870}, {"Ctrl+S", 57603},
        {"Ctrl+V", 57637},       {"Shift+Insert", 57637}, {"Ctrl+X", 57635},
        {"Shift+Delete", 57635}, {"Ctrl+Z", 57643},       {"Alt+Backspace", 57643},
        {"Ctrl+Y", 33700},       {"Ctrl+Shift+Z", 33700}, {"Ctrl+Up", 32818},
        {"Ctrl+Down", 32818},    {"Ctrl+Left", 32812},    {"Ctrl+Right", 32813},
        {"F1", 57670},           {"Shift+F1", 57669},     {"F4", 32848},
        {"F5", 32777},           {"F6", 32780},           {"F7", 32828},
        {"F8", 32779},           {"F9", 32814},           {"F11", 32820},
        {"F12", 32815}};
    EXPECT_EQ(keys, expected);
}

TEST(SettingsShortcuts, CountZeroGivesNoShortcuts) {
    CMemoryProfileStore store;
    store.WriteInt("", "First", 0);
    store.WriteInt("Accels", "Count", 0);
    store.WriteInt("Accels", "Flags0", 9);
    store.WriteInt("Accels", "Keys0", 'A');
    store.WriteInt("Accels", "Cmd0", 57642);
    Settings s;
    LoadSettings(store, IsFirstRun(store), s);
    EXPECT_TRUE(s.accels.empty());
    store.WriteInt("Accels", "Count", -3);
    LoadSettings(store, false, s);
    EXPECT_TRUE(s.accels.empty());
}

TEST(SettingsShortcuts, AFileWithoutACountKeepsTheBuiltInShortcuts) {
    CMemoryProfileStore store;
    store.WriteInt("", "First", 0);
    store.WriteInt("Desktop", "ExpertMode", 1);
    store.WriteInt("Accels", "Flags0", 9); // entries without a count are not a table
    Settings s;
    LoadSettings(store, IsFirstRun(store), s);
    EXPECT_EQ(s.accels, BuiltInAccelTable());
    EXPECT_EQ(s.desktop.expertMode, 1);
    store.WriteInt("Accels", "Count", -1); // a stored count, even a damaged one, is the user's table
    LoadSettings(store, false, s);
    EXPECT_TRUE(s.accels.empty());
}

TEST(SettingsShortcuts, EntriesRoundTripAndStaleOnesGo) {
    Settings s;
    s.accels = {{FVIRTKEY | FCONTROL | FSHIFT, 'Q', 32848}, {FVIRTKEY | FALT, VK_F1 + 1, 57600}, {0, 'q', 1}};
    CMemoryProfileStore store;
    ASSERT_TRUE(WriteSettings(store, s));
    EXPECT_EQ(store.GetInt("Accels", "Flags0", 0), 13);
    EXPECT_EQ(store.GetInt("Accels", "Keys1", 0), 0x71);
    EXPECT_EQ(store.GetInt("Accels", "Cmd1", 0), 57600);
    Settings loaded;
    LoadSettings(store, false, loaded);
    EXPECT_EQ(loaded.accels, s.accels);

    s.accels.resize(1);
    ASSERT_TRUE(WriteSettings(store, s));
    EXPECT_FALSE(store.Has("Accels", "Flags1"));
    EXPECT_FALSE(store.Has("Accels", "Cmd2"));
    EXPECT_EQ(store.GetInt("Accels", "Count", 0), 1);
}

TEST(SettingsShortcuts, ADamagedCountIsBounded) {
    CMemoryProfileStore store;
    store.WriteInt("Accels", "Count", 2000000000);
    store.WriteInt("Edit", "EnvCount", 2000000000);
    store.WriteInt("Windows-Summary", "Count", 2000000000);
    Settings s;
    LoadSettings(store, false, s);
    EXPECT_LE(s.accels.size(), 4096u);
    EXPECT_TRUE(s.edit.effects.envelope.points.empty()); // the missing pairs read as -1 and are dropped
    EXPECT_TRUE(s.openDocuments.empty());
}

TEST(SettingsEnvelope, PointsAreFiltered) {
    CMemoryProfileStore store;
    const int32_t pairs[][2] = {{0, 100}, {-1, 50}, {512, -3}, {1024, 0}, {1025, 10}, {300, 200}};
    store.WriteInt("Edit", "EnvCount", 7); // the seventh pair is missing
    for (int i = 0; i < 6; ++i) {
        store.WriteInt("Edit", "EnvPos" + std::to_string(i), pairs[i][0]);
        store.WriteInt("Edit", "EnvVol" + std::to_string(i), pairs[i][1]);
    }
    Settings s;
    LoadSettings(store, false, s);
    const std::vector<EnvelopePoint> kept = {{0, 100}, {1024, 0}, {300, 200}};
    EXPECT_EQ(s.edit.effects.envelope.points, kept);

    CMemoryProfileStore saved;
    ASSERT_TRUE(WriteSettings(saved, s));
    EXPECT_EQ(saved.GetInt("Edit", "EnvCount", -1), 3);
    EXPECT_EQ(saved.GetInt("Edit", "EnvPos1", -1), 1024);
    EXPECT_EQ(saved.GetInt("Edit", "EnvVol2", -1), 200);
    ASSERT_TRUE(WriteSettings(store, s));
    EXPECT_FALSE(store.Has("Edit", "EnvPos5")); // the old pairs beyond the count are removed
}

TEST(SettingsWindow, RectangleOnlyForNormalAndOnlyWhenComplete) {
    CMemoryProfileStore store;
    store.WriteInt("Desktop", "Show", 5);
    store.WriteInt("Desktop", "Left", 10);
    store.WriteInt("Desktop", "Top", 20);
    store.WriteInt("Desktop", "Right", 810);
    Settings s;
    LoadSettings(store, false, s);
    EXPECT_FALSE(s.window.HasRect()); // Bottom is missing
    store.WriteInt("Desktop", "Bottom", 620);
    LoadSettings(store, false, s);
    ASSERT_TRUE(s.window.HasRect());
    EXPECT_EQ(s.window.right, 810);
    store.WriteInt("Desktop", "Show", 3);
    LoadSettings(store, false, s);
    EXPECT_EQ(s.window.show, SHOW_MAXIMIZED);
    EXPECT_FALSE(s.window.HasRect()); // not read for a maximised window
}

TEST(SettingsWindow, MaximisedExitKeepsTheLastNormalRectangle) {
    CMemoryProfileStore store;
    Settings s;
    s.window = {SHOW_NORMAL, 10, 20, 810, 620};
    ASSERT_TRUE(WriteSettings(store, s));
    s.window = {SHOW_MAXIMIZED, 0, 0, 1920, 1080};
    ASSERT_TRUE(WriteSettings(store, s));
    EXPECT_EQ(store.GetInt("Desktop", "Show", 0), 3);
    EXPECT_EQ(store.GetInt("Desktop", "Right", 0), 810);
    EXPECT_EQ(store.GetInt("Desktop", "Bottom", 0), 620);
}

TEST(SettingsDocuments, OnlyDocumentsWithAPathAreReopened) {
    CMemoryProfileStore store;
    Settings s;
    s.openDocuments = {"/old/a.wav", "/old/b.wav", "/old/c.wav"};
    ASSERT_TRUE(WriteSettings(store, s));
    s.openDocuments = {"", "/music/take.wav"}; // an untitled document and a saved one
    ASSERT_TRUE(WriteSettings(store, s));
    EXPECT_EQ(store.GetInt("Windows-Summary", "Count", 0), 1);
    EXPECT_EQ(store.GetString("Windows-Window0", "Path", ""), "/music/take.wav");
    EXPECT_FALSE(store.Has("Windows-Window1", "Path"));
    EXPECT_FALSE(store.Has("Windows-Window2", "Path"));
    Settings next;
    LoadSettings(store, false, next);
    EXPECT_EQ(next.openDocuments, std::vector<std::string>{"/music/take.wav"});
}

TEST(SettingsToolBars, OwnKeysRoundTrip) {
    CMemoryProfileStore store;
    Settings s;
    s.toolBars = {{1, 4, 0, 0}, {0, 4, 300, 0}, {1, 0, 640, 480}};
    ASSERT_TRUE(WriteSettings(store, s));
    EXPECT_EQ(store.GetInt("ToolBars-Summary", "Bars", 0), 3);
    EXPECT_EQ(store.GetInt("ToolBars-Bar1", "Visible", 1), 0);
    EXPECT_EQ(store.GetInt("ToolBars-Bar2", "Y", 0), 480);
    Settings loaded;
    LoadSettings(store, false, loaded);
    EXPECT_EQ(loaded.toolBars, s.toolBars);
    s.toolBars.resize(1);
    ASSERT_TRUE(WriteSettings(store, s));
    EXPECT_FALSE(store.Has("ToolBars-Bar2", "Area"));
}

TEST(SettingsSave, UnwritableStoreIsReportedOnce) {
    FakeMessageService messages;
    CMemoryProfileStore store;
    store.SetFlushFails(true);
    Settings s;
    s.edit.effects.echo.delay = 345;
    EXPECT_FALSE(SaveSettings(store, s));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The settings could not be saved to memory.\n"
                                      "The changes to the settings made in this session are lost.");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.shown[0].helpId, 32200u);
    EXPECT_EQ(messages.beeps, std::vector<MsgIcon>{MsgIcon::Stop});
    EXPECT_EQ(store.GetFlushCount(), 1);

    store.SetFlushFails(false);
    EXPECT_TRUE(SaveSettings(store, s));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(store.GetInt("Edit", "EchoDelay", 0), 345);
}

TEST(SettingsEffects, EveryParameterRoundTripsUnderItsOwnKey) {
    // The keys and byte widths stored files rely on, each with a value unlike its default.
    const std::vector<std::pair<std::string, int32_t>> keys = {
        {"Volume", 250},       {"Dynamic", 75},   {"ZeroAdjust", -40}, {"Speed", 180},
        {"EchoDelay", 70000},  {"EchoCount", 9},  {"EchoVolume1", 60}, {"EchoVolume2", 7},
        {"EnvLevel", 55},      {"TremType", 2},   {"TremTimeType", 1}, {"TremTime", 44100},
        {"TremFreq", 12000},   {"TremMod", 33},   {"CrossType", 1},    {"CrossTimeType", 0},
        {"CrossTime", 123456}, {"CrossFreq", 19}, {"CrossMod", 90},    {"DistType", 4},
        {"DistDepth", 45},     {"DistLevel", 66},
    };
    Settings s;
    for (const auto& [key, value] : keys) {
        ASSERT_TRUE(s.edit.effects.Set(ParamSpec{key.c_str(), 0, 0, 0}, value)) << key;
    }
    s.edit.effects.envelope.points = {{0, 10}, {1024, 90}};
    CMemoryProfileStore store;
    ASSERT_TRUE(WriteSettings(store, s));
    for (const auto& [key, value] : keys) {
        EXPECT_EQ(std::get<int32_t>(store.GetValues().at({"Edit", key})), value) << key;
    }
    EXPECT_FALSE(store.Has("Edit", "Length")); // a new length is given for each run, never stored
    EXPECT_EQ(store.GetInt("Edit", "EnvCount", 0), 2);

    Settings loaded;
    LoadSettings(store, false, loaded);
    EXPECT_EQ(loaded.edit.effects, s.edit.effects);
    EXPECT_EQ(loaded.edit.effects.distort.level, 45); // DistDepth holds the level
    EXPECT_EQ(loaded.edit.effects.tremolo.frequency, 12000);
}

TEST(SettingsEffects, ByteWideParametersKeepTheirLowByteAndOthersDoNot) {
    CMemoryProfileStore store;
    store.WriteInt("Edit", "TremMod", 257);   // byte-wide: 1
    store.WriteInt("Edit", "DistLevel", 511); // byte-wide: 255
    store.WriteInt("Edit", "TremFreq", 257);  // a full integer
    Settings s;
    LoadSettings(store, false, s);
    EXPECT_EQ(s.edit.effects.tremolo.depth, 1);
    EXPECT_EQ(s.edit.effects.distort.depth, 255);
    EXPECT_EQ(s.edit.effects.tremolo.frequency, 257);
    // An out-of-byte value set in code is stored as the byte a later read would give.
    s.edit.effects.echo.count = 300;
    ASSERT_TRUE(WriteSettings(store, s));
    EXPECT_EQ(store.GetInt("Edit", "EchoCount", 0), 44);
}
