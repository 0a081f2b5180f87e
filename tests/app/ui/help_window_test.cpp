#include "app/help_window.h"
#include "app/qt_message_service.h"
#include "app/ui/editor_qt_support.h"

#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

QString Shown(const CHelpWindow& help) {
    return help.Browser()->toPlainText();
}

TEST(HelpWindow, AMessageHasItsTopicWithAdviceAndTheContentsListIt) {
    EnsureQtApplication();
    CHelpWindow help;
    EXPECT_EQ(help.objectName(), "second");
    help.ShowTopic(31501);
    EXPECT_EQ(help.CurrentTopic(), 31501u);
    // the message with readable stand-ins for its placeholders
    EXPECT_TRUE(Shown(help).contains("The file <file name> has no valid WAVE format."))
        << Shown(help).toStdString();
    EXPECT_FALSE(Shown(help).contains("%s"));
    EXPECT_TRUE(Shown(help).contains(LoadQString(32766).left(30))); // the advice for an unreadable file

    // menu texts and prompts have no topics: the contents come instead
    EXPECT_FALSE(CHelpWindow::HasTopic(57600));
    help.ShowTopic(57600);
    EXPECT_EQ(help.CurrentTopic(), 0u);
    EXPECT_TRUE(help.Browser()->toHtml().contains("topic:31501"));
    EXPECT_FALSE(help.Browser()->toHtml().contains("topic:57600"));

    // following a link of the contents opens that topic
    emit help.Browser()->anchorClicked(QUrl(QStringLiteral("topic:1085")));
    EXPECT_EQ(help.CurrentTopic(), 1085u);
    EXPECT_TRUE(Shown(help).contains(LoadQString(1085).section('%', 0, 0).trimmed()));
    EXPECT_TRUE(Shown(help).contains("Do you really want to delete track 2?"));

    // the contents list the messages with their stand-ins, no raw conversions
    help.ShowTopic(0);
    EXPECT_TRUE(Shown(help).contains("Loading WAVE file. 50% done."));
    EXPECT_FALSE(Shown(help).contains("%d"));
    EXPECT_FALSE(Shown(help).contains("%s"));
}

} // namespace
