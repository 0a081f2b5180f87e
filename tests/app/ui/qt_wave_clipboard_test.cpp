#include "app/qt_wave_clipboard.h"
#include "app/ui/editor_qt_support.h"
#include "store/sample_store.h"
#include "support/test_store.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class QtWaveClipboardTest : public ::testing::Test, public QtApplicationFirst {
protected:
    void TearDown() override { QGuiApplication::clipboard()->clear(); }
    CQtWaveClipboard clipboard;
};

TEST_F(QtWaveClipboardTest, ACopiedSoundIsOnTheDesktopClipboardAndComesBack) {
    CSampleStore sound;
    ASSERT_TRUE(sound.Create(STORE_MEMORY, "", 16, 2, 22050, true));
    FillRamp16(sound, 100);
    ASSERT_TRUE(sound.Save("", false));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray block = data->data(QStringLiteral("audio/wav"));
    ASSERT_EQ(block.size(), 44 + 100 * 4); // the 44-byte header, then the samples
    EXPECT_EQ(block.left(4), QByteArray("RIFF"));
    EXPECT_TRUE(clipboard.HasWave());

    CSampleStore pasted;
    ASSERT_TRUE(pasted.LoadClipboardWave(STORE_MEMORY, ""));
    EXPECT_EQ(pasted.GetTrackCount(), 2u);
    EXPECT_EQ(pasted.GetSampleRate(), 22050u);
    EXPECT_EQ(AllBytes(pasted), AllBytes(sound));
}

TEST_F(QtWaveClipboardTest, AnotherProgramsOlderWaveTypeIsReadAndTextIsNotWave) {
    CSampleStore sound;
    ASSERT_TRUE(sound.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    FillRamp8(sound, 10);
    ASSERT_TRUE(sound.Save("", false));
    const QByteArray block = QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("audio/wav"));
    auto* older = new QMimeData;
    older->setData(QStringLiteral("audio/x-wav"), block);
    QGuiApplication::clipboard()->setMimeData(older);
    CSampleStore pasted;
    ASSERT_TRUE(pasted.LoadClipboardWave(STORE_MEMORY, ""));
    EXPECT_EQ(AllBytes(pasted), AllBytes(sound));

    QGuiApplication::clipboard()->setText(QStringLiteral("not a sound"));
    EXPECT_FALSE(clipboard.HasWave());
    std::vector<uint8_t> out;
    EXPECT_FALSE(clipboard.GetWave(out));
}

TEST(QtWaveClipboardInstall, TheInProcessClipboardComesBackAfterwards) {
    EnsureQtApplication();
    IWaveClipboard* before = &WaveClipboard();
    {
        CQtWaveClipboard desktop;
        EXPECT_EQ(&WaveClipboard(), &desktop);
    }
    EXPECT_EQ(&WaveClipboard(), before);
}

} // namespace
