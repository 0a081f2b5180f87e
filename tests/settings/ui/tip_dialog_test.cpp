#include "settings/core/settings.h"
#include "app/ui/editor_qt_support.h"
#include "settings/tip_dialog.h"
#include "support/test_store.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <fstream>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class TipDialogTest : public ::testing::Test, public QtApplicationFirst {
protected:
    void SetUp() override {
        g_settings = Settings{};
        path = QString::fromStdString(dir.Path() + "/ondrix.tip");
        std::ofstream(path.toStdString()) << "; tips\nFirst tip\nSecond$$tip\nThird tip\n";
    }
    TempDir dir;
    QString path;
};

TEST_F(TipDialogTest, ShowsTheNextTipAndContinuesWhereItStopped) {
    {
        CTipDialog dialog(path);
        EXPECT_EQ(dialog.TipText(), "First tip");
        SendClick(dialog.NextButton());
        EXPECT_EQ(dialog.TipText(), "Second\ntip");
        dialog.show();
        SendClick(dialog.CloseButton());
        EXPECT_FALSE(dialog.isVisible());
    }
    CTipDialog again(path);
    EXPECT_EQ(again.TipText(), "Third tip");
    SendClick(again.NextButton());
    EXPECT_EQ(again.TipText(), "First tip");
}

TEST_F(TipDialogTest, CloseStoresTheStartUpBoxAndEscapeDoesNot) {
    {
        CTipDialog dialog(path);
        dialog.show();
        SendClick(dialog.StartUpBox());
        EXPECT_FALSE(dialog.StartUpBox()->isChecked());
        SendKey(&dialog, Qt::Key_Escape); // closing without "&Close" keeps the setting
        EXPECT_EQ(g_settings.desktop.showTips, 1);
        EXPECT_GT(g_settings.desktop.tipPosition, 0);
    }
    CTipDialog dialog(path);
    dialog.show();
    SendClick(dialog.StartUpBox());
    SendClick(dialog.CloseButton());
    EXPECT_EQ(g_settings.desktop.showTips, 0);
}

TEST_F(TipDialogTest, AMissingFileShowsTheErrorAndDisablesNextTip) {
    CTipDialog dialog(QString::fromStdString(dir.Path() + "/missing.tip"));
    EXPECT_EQ(dialog.TipText(), "An error occured reading tip file.");
    EXPECT_FALSE(dialog.NextButton()->isEnabled());
    dialog.show();
    SendClick(dialog.CloseButton());
    EXPECT_EQ(g_settings.desktop.tipPosition, 0);
}

} // namespace
