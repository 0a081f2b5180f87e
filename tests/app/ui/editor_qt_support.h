#pragma once

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

/// Lets test messages show QStrings as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace ondrix::test {

/// Makes sure a QApplication exists for the widget tests (created once, never destroyed).
inline void EnsureQtApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "ondrix-tests";
        static char* argv[] = {name, nullptr};
        static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                // the offscreen platform's notice about size hints says nothing about the program
                if (!message.contains(QLatin1String("propagateSizeHints"))) {
                    previous(type, context, message);
                }
            });
        new QApplication(argc, argv);
    }
}

/// A base to list first in a fixture whose members are widgets: the application exists before them.
/// The name of the running test, or empty outside one.
inline std::string CurrentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : std::string();
}

/// The WhenModal actions still waiting for their dialog, with the test that set each up.
struct PendingModalAction {
    QPointer<QTimer> timer;
    std::string test;
};
inline std::vector<PendingModalAction>& PendingModalActions() {
    static std::vector<PendingModalAction> pending;
    return pending;
}

/// Fails the running test for every WhenModal of it whose dialog never showed (the test did not see what
/// it meant to check), and drops them so that they cannot act on a later test's dialog.
inline void ExpectNoPendingModalActions() {
    const std::string test = CurrentTestName();
    auto& pending = PendingModalActions();
    for (PendingModalAction& action : pending) {
        if (action.timer && action.timer->isActive() && action.test == test) {
            ADD_FAILURE() << "a dialog this test waited for (WhenModal) never showed";
            delete action.timer.data();
        }
    }
    std::erase_if(pending, [](const PendingModalAction& action) {
        return action.timer.isNull() || !action.timer->isActive();
    });
}

/// Drops the running test's WhenModal actions that are still waiting: for checks that no dialog shows.
inline void DropPendingModalActions() {
    const std::string test = CurrentTestName();
    for (PendingModalAction& action : PendingModalActions()) {
        if (action.timer && action.test == test) {
            delete action.timer.data();
        }
    }
}

struct QtApplicationFirst {
    QtApplicationFirst() { EnsureQtApplication(); }
    ~QtApplicationFirst() { ExpectNoPendingModalActions(); }
};

/// Sends a key press and release to a widget the way the window system would deliver them.
inline void SendKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QString text;
    if (key == Qt::Key_Escape) {
        text = QString(QChar(27));
    } else if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde && !(modifiers & Qt::ControlModifier)) {
        text = QString(QChar(int(key))).toLower();
    }
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

} // namespace ondrix::test

// Qt's own entry for a key's shortcut override, as its test library uses it.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* receiver, ulong timestamp, int key,
                                               Qt::KeyboardModifiers modifiers, const QString& text,
                                               bool autoRepeat, ushort count);

namespace ondrix::test {

/// Presses a key the whole way a keyboard does: the focused widget may first claim it through the
/// shortcut override (a line edit claims its editing keys); unclaimed, a shortcut may take it.
inline void TypeKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (qt_sendShortcutOverrideEvent(widget, 0, key, modifiers, QString(), false, 1)) {
        return; // a shortcut ran
    }
    SendKey(widget, key, modifiers);
}

/// Sends a mouse press and release of a button at a point of a widget (default: its centre).
inline void SendClick(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, QPoint pos = QPoint(-1, -1)) {
    if (pos == QPoint(-1, -1)) {
        pos = widget->rect().center();
    }
    const QPointF global = widget->mapToGlobal(QPointF(pos));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), global, button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), global, button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

/// Runs act on the next modal dialog as soon as it shows (for dialogs a command opens with exec()).
/// A test ending before its dialog showed fails (see ExpectNoPendingModalActions).
inline void WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    const std::string test = CurrentTestName();
    PendingModalActions().push_back({timer, test});
    QObject::connect(timer, &QTimer::timeout, [timer, act, test] {
        if (CurrentTestName() != test) {
            timer->stop(); // left by a test without this fixture: never act on another test's dialog
            timer->deleteLater();
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

/// Runs the event loop until nothing more is pending.
inline void ProcessPendingEvents() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

} // namespace ondrix::test

namespace ondrix::test {

/// Types text into a widget key by key (digits, letters, blanks).
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        const Qt::Key key = c.isLetter() ? Qt::Key(c.toUpper().unicode()) : Qt::Key(c.unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

/// Replaces the text of an edit field (or a spin box's or combo box's editor) by typing.
inline void ReplaceText(QWidget* widget, const QString& text) {
    widget->setFocus();
    SendKey(widget, Qt::Key_A, Qt::ControlModifier);
    SendKey(widget, Qt::Key_Delete);
    TypeText(widget, text);
}

/// Chooses a combo box entry the way a user does: focus and arrow keys.
inline void ChooseEntry(QComboBox* box, int index) {
    box->setFocus();
    while (box->currentIndex() < index) {
        SendKey(box, Qt::Key_Down);
    }
    while (box->currentIndex() > index) {
        SendKey(box, Qt::Key_Up);
    }
}

} // namespace ondrix::test
