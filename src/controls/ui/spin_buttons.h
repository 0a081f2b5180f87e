#pragma once

#include <QWidget>

class QToolButton;

namespace ondrix {

/// An up-down control: two small arrow buttons that repeat while held. It takes no focus, so the field
/// that had the focus keeps it while the value steps.
class CSpinButtons final : public QWidget {
    Q_OBJECT
public:
    /// Creates the two buttons, stacked.
    explicit CSpinButtons(QWidget* parent = nullptr);

    /// The upper (+1) button.
    QToolButton* UpButton() const { return m_up; }
    /// The lower (-1) button.
    QToolButton* DownButton() const { return m_down; }

signals:
    /// One step: +1 for the up arrow, -1 for the down arrow.
    void Stepped(int delta);

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace ondrix
