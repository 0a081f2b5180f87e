#include "app/qt_message_service.h"

#include "resources/string_table.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace ondrix {

namespace {

QMessageBox::Icon BoxIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons BoxButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

/// The first button of each set is the default, as in the classic boxes.
QMessageBox::StandardButton DefaultButton(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::YesNoCancel:
    case MsgButtons::YesNo:
        return QMessageBox::Yes;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry;
    default:
        return QMessageBox::Ok;
    }
}

MsgAnswer Answer(int button, MsgButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        // Closed some other way: what the escape key would have answered.
        return buttons == MsgButtons::Ok      ? MsgAnswer::Ok
               : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                              : MsgAnswer::Cancel;
    }
}

/// Runs an action when F1 is pressed in the box (on whichever button has the focus).
class HelpKeyFilter final : public QObject {
public:
    HelpKeyFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            m_action();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

} // namespace

QString CQtMessageService::Title() {
    return QStringLiteral("Ondrix");
}

void CQtMessageService::Beep(MsgIcon) {
    QApplication::beep();
}

MsgAnswer CQtMessageService::ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons,
                                         uint32_t helpId) {
    QWidget* parent = m_parent ? m_parent.data() : QApplication::activeWindow();
    QMessageBox box(BoxIcon(icon), Title(), QString::fromStdString(text), BoxButtons(buttons), parent);
    box.setDefaultButton(DefaultButton(buttons));
    if (helpId != 0) {
        QPushButton* help = box.addButton(QMessageBox::Help);
        // The Help button shows the topic and leaves the question open.
        QObject::disconnect(help, &QAbstractButton::clicked, nullptr, nullptr);
        auto showHelp = [this, helpId] {
            if (m_help) {
                m_help(helpId);
            }
        };
        QObject::connect(help, &QAbstractButton::clicked, &box, showHelp);
        auto* f1 = new HelpKeyFilter(&box, showHelp);
        box.installEventFilter(f1);
        for (QAbstractButton* button : box.buttons()) {
            button->installEventFilter(f1);
        }
    }
    return Answer(box.exec(), buttons);
}

} // namespace ondrix
