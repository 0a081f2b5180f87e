#pragma once

#include <QWidget>

class QLineEdit;

namespace ondrix {

class CSpinButtons;

/// A whole-number field with an up-down buddy and a range that is checked when the dialog closes: a value
/// outside it is not changed but refused with the range message, so the user sees what was typed.
class CRangeEdit final : public QWidget {
    Q_OBJECT
public:
    /// An empty field for the range 0..100.
    explicit CRangeEdit(QWidget* parent = nullptr);

    /// Sets the allowed range; the spin buttons stop at its ends.
    void SetRange(int minimum, int maximum);
    /// Shows a value.
    void SetValue(int value);
    /// The value typed; ok tells whether the text is a whole number.
    int GetValue(bool* ok = nullptr) const;
    /// True when the text is a number inside the range; otherwise reports the range and returns false.
    bool Validate();
    /// The text field (for labels' buddies and for tests).
    QLineEdit* Field() const noexcept { return m_field; }

private:
    QLineEdit* m_field;
    CSpinButtons* m_spin;
    int m_minimum = 0;
    int m_maximum = 100;
};

} // namespace ondrix
