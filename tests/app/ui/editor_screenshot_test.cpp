#include "app/ui/editor_fixture.h"
#include "resources/command_ids.h"

#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QPixmap>

using namespace ondrix;
using namespace ondrix::test;

namespace {

using ScreenshotTest = EditorFixture;

/// Renders the main window with a four-track sound open into editor_screenshot.png in the test's
/// working directory (inside the build directory).
TEST_F(ScreenshotTest, MainWindowWithAFourTrackSound) {
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 4, 22050, true));
    std::vector<int16_t> frames(22050 * 4);
    for (std::size_t f = 0; f < frames.size() / 4; ++f) {
        for (std::size_t t = 0; t < 4; ++t) {
            const double envelope = double(f % 5513) / 5513.0;
            frames[f * 4 + t] = int16_t(20000.0 * envelope * ((f / (20 + 15 * t)) % 2 ? 1 : -1));
        }
    }
    ASSERT_TRUE(store.AppendData(frames.data(), uint32_t(frames.size() * 2)));
    const std::string path = files.Path() + "/four tracks.wav";
    ASSERT_TRUE(store.Save(path, false));
    ASSERT_TRUE(OpenByCommand(path));
    frame->GetMdiArea()->currentSubWindow()->showMaximized();
    Doc()->SetBlock(5000, 9000);
    frame->show();
    ProcessPendingEvents();
    const QImage shot = frame->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_GE(shot.width(), 900);
    const QString file = QDir::current().absoluteFilePath(QStringLiteral("editor_screenshot.png"));
    ASSERT_TRUE(shot.save(file));
    EXPECT_EQ(Status(1), "Tr. 1/4");
    std::printf("screenshot: %s\n", qPrintable(file));
}

} // namespace
