#pragma once

#include "settings/core/accel_table.h"

#include <QLineEdit>

#include <optional>

namespace ondrix {

/// A hot-key field: shows the key last pressed in it with its modifiers ("Ctrl+Shift+K"). Tab, Return
/// and Escape without modifiers keep their dialog meaning.
class CHotKeyEdit final : public QLineEdit {
    Q_OBJECT
public:
    /// An empty field.
    explicit CHotKeyEdit(QWidget* parent = nullptr);

    /// The shortcut pressed last (with command 0); nothing while the field is empty.
    const std::optional<AccelEntry>& Entry() const noexcept { return m_entry; }
    /// Empties the field.
    void ClearKey();

signals:
    /// A key was taken.
    void keyChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::optional<AccelEntry> m_entry;
};

} // namespace ondrix
