#pragma once

#include <QDialog>

class QRadioButton;

namespace ondrix {

/// Dialog 154 "User Mode": asked once on the first run, "&Beginner" or "E&xpert".
class CUserModeDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog preset with the current mode.
    explicit CUserModeDialog(bool expert, QWidget* parent = nullptr);
    /// Whether "E&xpert" is chosen.
    bool IsExpert() const;
    /// The "&Beginner" choice (for tests).
    QRadioButton* BeginnerButton() const { return m_beginner; }
    /// The "E&xpert" choice (for tests).
    QRadioButton* ExpertButton() const { return m_expert; }

private:
    QRadioButton* m_beginner;
    QRadioButton* m_expert;
};

} // namespace ondrix
