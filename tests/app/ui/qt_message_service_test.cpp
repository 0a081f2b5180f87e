#include "app/qt_message_service.h"
#include "app/ui/editor_qt_support.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// What the box looked like when it came up.
struct Seen {
    bool found = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool stillOpenAfterHelp = false;
};

class QtMessageServiceTest : public QtApplicationFirst, public ::testing::Test {
protected:
    /// Shows a message; when the box is up, records it, optionally presses Help, then clicks answer.
    MsgAnswer Show(MsgIcon icon, MsgButtons buttons, uint32_t helpId, QMessageBox::StandardButton answer,
                   bool pressHelp = false, const std::function<void(QMessageBox*)>& close = {}) {
        QTimer::singleShot(0, [&, answer, pressHelp] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            seen.found = true;
            seen.icon = box->icon();
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.buttons = box->standardButtons();
            seen.defaultButton = box->standardButton(box->defaultButton());
            if (pressHelp) {
                SendClick(box->button(QMessageBox::Help));
                ProcessPendingEvents();
                seen.stillOpenAfterHelp = box->isVisible();
            }
            if (close) {
                close(box);
            } else {
                SendClick(box->button(answer));
            }
        });
        return service.ShowMessage("Is this the text?", icon, buttons, helpId);
    }

    CQtMessageService service;
    Seen seen;
    std::vector<uint32_t> helpShown;
};

} // namespace

TEST_F(QtMessageServiceTest, QuestionWithHelpStaysOpenForHelp) {
    service.SetHelpHandler([this](uint32_t id) { helpShown.push_back(id); });
    const MsgAnswer answer =
        Show(MsgIcon::Question, MsgButtons::YesNoCancel, 1066, QMessageBox::No, /*pressHelp=*/true);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, MsgAnswer::No);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.title, "Ondrix");
    EXPECT_EQ(seen.text, "Is this the text?");
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Help);
    EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);
    EXPECT_TRUE(seen.stillOpenAfterHelp);
    EXPECT_EQ(helpShown, std::vector<uint32_t>{1066});
}

TEST_F(QtMessageServiceTest, IconsButtonsAndAnswers) {
    EXPECT_EQ(Show(MsgIcon::Stop, MsgButtons::Ok, 0, QMessageBox::Ok), MsgAnswer::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok); // no help id: no Help button
    EXPECT_EQ(Show(MsgIcon::Exclamation, MsgButtons::RetryCancel, 5, QMessageBox::Retry), MsgAnswer::Retry);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.defaultButton, QMessageBox::Retry);
    EXPECT_EQ(Show(MsgIcon::Information, MsgButtons::OkCancel, 5, QMessageBox::Cancel), MsgAnswer::Cancel);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Help);
    EXPECT_EQ(Show(MsgIcon::Question, MsgButtons::YesNo, 5, QMessageBox::Yes), MsgAnswer::Yes);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Help);
}

TEST_F(QtMessageServiceTest, F1ShowsHelpAndEscapeCancels) {
    service.SetHelpHandler([this](uint32_t id) { helpShown.push_back(id); });
    const MsgAnswer answer = Show(MsgIcon::Question, MsgButtons::YesNoCancel, 31901, QMessageBox::NoButton,
                                  false, [](QMessageBox* box) {
                                      QWidget* focused = QApplication::focusWidget();
                                      SendKey(focused ? focused : box, Qt::Key_F1);
                                      ProcessPendingEvents();
                                      SendKey(box, Qt::Key_Escape);
                                  });
    EXPECT_EQ(answer, MsgAnswer::Cancel);
    EXPECT_EQ(helpShown, std::vector<uint32_t>{31901});
}

TEST_F(QtMessageServiceTest, InstalledServiceShowsStringTableTexts) {
    IMessageService* previous = SetMessageService(&service);
    QTimer::singleShot(0, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.text = box->text();
            seen.icon = box->icon();
            SendClick(box->button(QMessageBox::Ok));
        }
    });
    EXPECT_EQ(AskUser(30500, MsgIcon::Stop, MsgButtons::Ok), MsgAnswer::Ok);
    SetMessageService(previous);
    EXPECT_EQ(seen.text, LoadQString(30500));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(LoadQString(30502), "Mi&ddle value");
    EXPECT_TRUE(LoadQString(1).isEmpty());
}
