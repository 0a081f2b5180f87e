#include "resources/string_ids.h"
#include "settings/core/memory_profile_store.h"
#include "settings/core/settings.h"
#include "settings/core/settings_fields.h"
#include "settings/qt_profile_store.h"
#include "support/fake_message_service.h"
#include "support/small_disk.h"
#include "support/test_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// The environment variable that turns the read-back case into the child process's half.
constexpr const char* kChildIni = "ONDRIX_SETTINGS_CHILD_INI";

/// Every value the settings write, one line each, as a fresh store would hold them.
std::string Dump(const Settings& settings) {
    CMemoryProfileStore store;
    WriteSettings(store, settings);
    std::ostringstream out;
    for (const auto& [where, value] : store.GetValues()) {
        out << where.first << '|' << where.second << '|';
        if (const auto* number = std::get_if<int32_t>(&value)) {
            out << "int:" << *number;
        } else {
            out << "text:" << std::get<std::string>(value);
        }
        out << '\n';
    }
    return out.str();
}

/// Settings unlike the defaults in every value, with texts the INI format has to escape.
Settings Unusual() {
    Settings s;
    int next = 1;
    VisitSettingFields(s, [&](const std::string&, const std::string& key, auto& field) {
        using Field = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, std::string>) {
            field = "/home/ünï cödé/" + key + ", a;b=c \"q\" \\x";
        } else if constexpr (std::is_same_v<Field, uint8_t>) {
            field = static_cast<uint8_t>(150 + next);
        } else {
            field = next % 2 ? -next * 1000003 : next * 7919;
        }
        ++next;
    });
    s.tempPath.editor = "@~";
    s.tempPath.clipboard = "";
    s.tempPath.record = "@Variant(x)";
    s.record.syncMidiFile = "123";
    s.window = {SHOW_NORMAL, -1920, 10, 0, 1200};
    s.accels = BuiltInAccelTable();
    s.accels.push_back({FVIRTKEY | FALT | FSHIFT, VK_OEM_5, 32848});
    s.edit.effects.envelope.points = {{0, 0}, {512, 100}, {1024, 35}};
    s.recentFiles.Add("/b/second.wav");
    s.recentFiles.Add("/a/first, with comma.wav");
    s.toolBars = {{1, 4, 0, 0}, {0, 8, 120, 1}, {1, 0, -300, 500}};
    s.openDocuments = {"/music/take 1.wav", "", "/music/take 2.wav"};
    return s;
}

/// Ends the first run and writes the settings into an INI file, as an exit would.
bool WriteIni(const std::string& path, const Settings& settings) {
    CQtProfileStore store(QString::fromStdString(path));
    return EndFirstRun(store) && WriteSettings(store, settings);
}

/// A directory nobody can write to: a read-only tmpfs where this process may mount, a directory without
/// write permission for other users, and for root without mounting a path below a plain file.
class UnwritableDir {
public:
    explicit UnwritableDir(const std::string& base) : m_path(base + "/locked") {
        ::mkdir(m_path.c_str(), 0755);
        if (::mount("tmpfs", m_path.c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0) {
            m_mounted = true;
        } else if (::geteuid() != 0) {
            ::chmod(m_path.c_str(), 0555);
        } else {
            ::rmdir(m_path.c_str());
            std::ofstream(m_path) << "not a directory";
        }
    }
    ~UnwritableDir() {
        if (m_mounted) {
            ::umount2(m_path.c_str(), MNT_DETACH);
        }
        ::chmod(m_path.c_str(), 0755);
    }
    UnwritableDir(const UnwritableDir&) = delete;
    UnwritableDir& operator=(const UnwritableDir&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    bool m_mounted = false;
};

} // namespace

TEST(QtProfileStore, EveryKeyRoundTripsThroughTheIniFile) {
    TempDir dir;
    const std::string ini = dir.Path() + "/Ondrix.ini";
    const Settings written = Unusual();
    ASSERT_TRUE(WriteIni(ini, written));
    const std::string text = FileBytes(ini);
    EXPECT_NE(text.find("[General]\nFirst=0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nEchoDelay="), std::string::npos);
    EXPECT_NE(text.find("[Windows-Window1]\nPath=/music/take 2.wav\n"), std::string::npos) << text;

    CQtProfileStore reread(QString::fromStdString(ini));
    EXPECT_FALSE(IsFirstRun(reread));
    Settings loaded;
    LoadSettings(reread, false, loaded);
    EXPECT_EQ(Dump(loaded), Dump(written));
    EXPECT_EQ(loaded.tempPath.editor, "@~");
    EXPECT_EQ(loaded.tempPath.clipboard, "");
    EXPECT_EQ(loaded.tempPath.record, "@Variant(x)");
    EXPECT_EQ(loaded.record.syncMidiFile, "123");
    EXPECT_EQ(loaded.recentFiles.Paths().front(), "/a/first, with comma.wav");
    EXPECT_EQ(loaded.openDocuments, (std::vector<std::string>{"/music/take 1.wav", "/music/take 2.wav"}));
}

TEST(QtProfileStore, AFreshProcessReadsTheFileBackIdentically) {
    if (const char* childIni = std::getenv(kChildIni)) {
        // The child's half: load what the parent wrote and dump it.
        CQtProfileStore store{QString::fromUtf8(childIni)};
        Settings loaded;
        LoadSettings(store, IsFirstRun(store), loaded);
        std::ofstream(std::string(childIni) + ".dump") << Dump(loaded);
        return;
    }
    TempDir dir;
    const std::string ini = dir.Path() + "/Ondrix.ini";
    const Settings written = Unusual();
    ASSERT_TRUE(WriteIni(ini, written));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildIni, QString::fromStdString(ini));
    child.setProcessEnvironment(env);
    child.start(QStringLiteral("/proc/self/exe"),
                {QStringLiteral("--gtest_filter=QtProfileStore.AFreshProcessReadsTheFileBackIdentically")});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
    EXPECT_EQ(FileBytes(ini + ".dump"), Dump(written));
}

TEST(QtProfileStore, MissingFileGivesTheDefaults) {
    TempDir dir;
    CQtProfileStore store(QString::fromStdString(dir.Path() + "/none/Ondrix.ini"));
    EXPECT_TRUE(IsFirstRun(store));
    Settings loaded;
    loaded.edit.effects.echo.delay = 1;
    LoadSettings(store, false, loaded);
    Settings expected;
    expected.accels = BuiltInAccelTable(); // no shortcut count stored
    EXPECT_EQ(Dump(loaded), Dump(expected));
}

TEST(QtProfileStore, ValuesReadAsTheirTypeFromHandEditedFiles) {
    TempDir dir;
    const std::string ini = dir.Path() + "/Ondrix.ini";
    std::ofstream(ini) << "[Edit]\nEchoCount=300\nEchoDelay= 250 \nMix=lots\n"
                          "[TempPath]\nEditor=/a, /b\n[Accels]\nCount=4294967295\n";
    CQtProfileStore store(QString::fromStdString(ini));
    EXPECT_EQ(store.GetInt("Edit", "EchoCount", 0), 300);
    EXPECT_EQ(store.GetInt("Edit", "EchoDelay", 0), 250);
    EXPECT_EQ(store.GetInt("Edit", "Mix", 50), 50);
    EXPECT_EQ(store.GetString("TempPath", "Editor", ""), "/a, /b");
    EXPECT_EQ(store.GetInt("Accels", "Count", 0), -1);
    Settings loaded;
    LoadSettings(store, false, loaded);
    EXPECT_EQ(loaded.edit.effects.echo.count, 44);
    EXPECT_TRUE(loaded.accels.empty());
}

TEST(QtProfileStore, UserFileBelongsToPellamOndrix) {
    CQtProfileStore store;
    EXPECT_TRUE(QString::fromStdString(store.Location()).endsWith(QStringLiteral("/Pellam/Ondrix.ini")))
        << store.Location();
}

TEST(QtProfileStore, UnwritableDirectoryIsReportedOnceAtExit) {
    TempDir dir;
    UnwritableDir locked(dir.Path());
    const std::string ini = locked.Path() + "/Ondrix.ini";
    FakeMessageService messages;
    CQtProfileStore store(QString::fromStdString(ini));
    Settings settings = Unusual();
    EXPECT_FALSE(SaveSettings(store, settings));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The settings could not be saved to " + ini +
                                          ".\nThe changes to the settings made in this session are lost.");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.shown[0].helpId, str::kSettingsNotSavedMessage);
    EXPECT_EQ(messages.beeps.size(), 1u);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ini)));
}

TEST(QtProfileStore, AFullDiskIsReportedOnceAndKeepsTheOldFile) {
    SmallDisk disk(16 * 1024);
    if (!disk.IsMounted()) {
        GTEST_SKIP() << "needs a small tmpfs: a file-size limit alone leaves room for the settings file";
    }
    const std::string ini = disk.Path() + "/Ondrix.ini";
    {
        CQtProfileStore first(QString::fromStdString(ini));
        first.WriteInt("Desktop", "Show", 3);
        ASSERT_TRUE(first.Flush());
    }
    {
        // fill the rest of the disk so that the next settings file cannot be written
        QFile filler(QString::fromStdString(disk.Path() + "/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    FakeMessageService messages;
    CQtProfileStore store(QString::fromStdString(ini));
    Settings settings = Unusual();
    EXPECT_FALSE(SaveSettings(store, settings));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.beeps.size(), 1u);
    // the last good file is still there (read as text: QSettings keeps its own cache in the process)
    const auto bytes = FileBytes(ini);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("Show=3"), std::string::npos) << text;
}
