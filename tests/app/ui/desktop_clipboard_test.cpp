#include "store/sample_store.h"
#include "support/test_store.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <string>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Two programs on one X display of their own (a private Xvfb): what one copies, the other pastes.
class DesktopClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
            GTEST_SKIP() << "Xvfb is not installed (tools/setup.sh installs it)";
        }
        // -displayfd 1: the server picks a free display and writes its number to our pipe
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("320x240x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        ASSERT_TRUE(m_server.waitForStarted(10000));
        while (!m_server.canReadLine() && m_server.waitForReadyRead(10000)) {
        }
        const QString display = QString::fromLatin1(m_server.readLine()).trimmed();
        ASSERT_FALSE(display.isEmpty()) << "Xvfb named no display";
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + display);
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }
    void TearDown() override {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    /// Starts the peer program with arguments on the private display.
    void Start(QProcess& peer, const QStringList& arguments) {
        peer.setProcessEnvironment(m_environment);
        peer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        peer.start(QStringLiteral(ONDRIX_CLIPBOARD_PEER), arguments);
        ASSERT_TRUE(peer.waitForStarted(10000));
    }
    /// Runs the peer's paste into path; returns its exit code (-1 when it did not end in time).
    int Paste(const std::string& path) {
        QProcess peer;
        Start(peer,
              {QStringLiteral("paste"), QString::fromStdString(path), QString::fromStdString(m_work.Path())});
        if (!peer.waitForFinished(60000) || peer.exitStatus() != QProcess::NormalExit) {
            return -1;
        }
        return peer.exitCode();
    }

    TempDir m_work;

private:
    QProcess m_server;
    QProcessEnvironment m_environment;
};

TEST_F(DesktopClipboardTest, ASoundCopiedInOneProgramIsPastedInAnotherUntilTheCopyingProgramEnds) {
    // 1 MB: more than the server takes in one request, so the transfer goes in increments
    CSampleStore sound;
    ASSERT_TRUE(sound.Create(STORE_MEMORY, "", 16, 2, 22050, true));
    FillRamp16(sound, 250000);
    const std::string original = m_work.Path() + "/original.wav";
    ASSERT_TRUE(sound.Save(original, false));

    QProcess copier;
    Start(copier,
          {QStringLiteral("copy"), QString::fromStdString(original), QString::fromStdString(m_work.Path())});
    while (!copier.canReadLine() && copier.waitForReadyRead(30000)) {
    }
    ASSERT_EQ(copier.readLine().trimmed(), QByteArray("ready"));

    const std::string pasted = m_work.Path() + "/pasted.wav";
    ASSERT_EQ(Paste(pasted), 0);
    CSampleStore received;
    ASSERT_TRUE(received.Load(pasted, STORE_MEMORY, ""));
    EXPECT_EQ(received.GetBitsPerSample(), 16u);
    EXPECT_EQ(received.GetTrackCount(), 2u);
    EXPECT_EQ(received.GetSampleRate(), 22050u);
    EXPECT_EQ(AllBytes(received), AllBytes(sound));

    // the copying program owned the clipboard: once it has ended there is nothing to paste, and the paste
    // says so rather than loading anything
    copier.closeWriteChannel();
    ASSERT_TRUE(copier.waitForFinished(10000));
    EXPECT_EQ(copier.exitCode(), 0);
    EXPECT_EQ(Paste(m_work.Path() + "/after.wav"), 2);
}

} // namespace
