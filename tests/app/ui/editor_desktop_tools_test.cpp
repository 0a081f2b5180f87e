#include "app/mixer_launcher.h"
#include "app/ui/editor_fixture.h"
#include "document/mail_sender.h"
#include "resources/command_ids.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <thread>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// The desktop's helper programs: stand-ins on a PATH of the test's own.
class DesktopToolsTest : public EditorFixture {
protected:
    void SetUp() override {
        m_oldPath = qgetenv("PATH");
        m_oldCache = qgetenv("XDG_CACHE_HOME");
        qputenv("PATH", QByteArray(tools.Path().c_str()) + ":" + m_oldPath);
        qputenv("XDG_CACHE_HOME", QByteArray(tools.Path().c_str()) + "/cache");
        EditorFixture::SetUp();
    }
    void TearDown() override {
        EditorFixture::TearDown();
        qputenv("PATH", m_oldPath);
        qputenv("XDG_CACHE_HOME", m_oldCache);
    }
    /// Writes an executable shell script into the tools folder.
    QString Script(const QString& name, const QString& body) {
        const QString path = QDir(QString::fromStdString(tools.Path())).absoluteFilePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body + "\n").toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    /// Waits until a file exists (a detached program writes it).
    static bool WaitForFile(const QString& path) {
        for (int i = 0; i < 500 && !QFileInfo::exists(path); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return QFileInfo::exists(path);
    }

    TempDir tools;
    QByteArray m_oldPath;
    QByteArray m_oldCache;
};

TEST_F(DesktopToolsTest, TheMixerStartsAndClosesAndIsDisabledWithoutAProgram) {
    CMixerLauncher mixer;
    mixer.SetProgram(Script("fake-mixer", "exec sleep 30"));
    ASSERT_TRUE(mixer.IsAvailable());
    mixer.Toggle();
    EXPECT_TRUE(mixer.IsRunning());
    mixer.Toggle(); // a second click closes it
    EXPECT_FALSE(mixer.IsRunning());
    mixer.SetProgram(QString());
    EXPECT_FALSE(mixer.IsAvailable());
    mixer.Toggle();
    EXPECT_FALSE(mixer.IsRunning());
}

TEST_F(DesktopToolsTest, SendHandsTheSoundToTheMailProgramAsAnAttachment) {
    const QString args = QString::fromStdString(tools.Path()) + "/args.txt";
    Script("xdg-email", "printf '%s\\n' \"$@\" > " + args + ".part && mv " + args + ".part " + args);
    ASSERT_TRUE(OpenByCommand(MakeWave("to send.wav", 2, 16, 8000, 300)));
    ASSERT_TRUE(frame->QueryCommand(cmd::kFileSendMail).IsEnabled());
    frame->ExecuteCommand(cmd::kFileSendMail);
    ASSERT_TRUE(WaitForFile(args));
    QFile file(args);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList given = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(given.size(), 4);
    EXPECT_EQ(given[0], "--subject");
    EXPECT_EQ(given[1], "to send.wav");
    EXPECT_EQ(given[2], "--attach");
    EXPECT_TRUE(given[3].startsWith(QString::fromStdString(tools.Path()) + "/cache/"))
        << given[3].toStdString();
    CSampleStore attached;
    ASSERT_TRUE(attached.Load(given[3].toStdString(), STORE_MEMORY, ""));
    EXPECT_EQ(AllBytes(attached), AllBytes(*Doc()->GetStore()));
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(DesktopToolsTest, AttachmentNamesAreSafeFileNames) {
    EXPECT_EQ(CMailSender::AttachmentName("a/b\\c"), "a_b_c.wav");
    EXPECT_EQ(CMailSender::AttachmentName("take.WAV"), "take.WAV");
    EXPECT_EQ(CMailSender::AttachmentName(""), "sound.wav");
}

} // namespace
