#include "settings/hot_key_edit.h"

#include "settings/accel_keys.h"

#include <QKeyEvent>

namespace ondrix {

namespace {

constexpr Qt::KeyboardModifiers kShortcutModifiers =
    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;

/// Whether a key press belongs to the dialog rather than to the field.
bool IsDialogKey(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        return true;
    }
    const bool plain = (modifiers & kShortcutModifiers) == Qt::NoModifier;
    return plain && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape);
}

} // namespace

CHotKeyEdit::CHotKeyEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true); // typing shows the key, never text
    setFocusPolicy(Qt::StrongFocus);
}

void CHotKeyEdit::ClearKey() {
    m_entry.reset();
    clear();
}

void CHotKeyEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (IsDialogKey(key, event->modifiers())) {
        event->ignore();
        return;
    }
    event->accept();
    const std::optional<AccelEntry> entry = AccelFromKey(key, event->modifiers(), 0);
    if (!entry) {
        return; // a modifier alone, or a key a shortcut cannot use
    }
    m_entry = entry;
    setText(QString::fromStdString(AccelName(*entry)));
    emit keyChanged();
}

} // namespace ondrix
