#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;

namespace ondrix {

class CRangeEdit;

/// One value of a CValuePairDialog: its label's string id, its range and its value.
struct RangedValue {
    uint32_t labelId;
    int minimum;
    int maximum;
    int value;
};

/// A dialog asking for two whole numbers, each with its label and range; OK refuses a value outside its
/// range with the range message and keeps the dialog open. A disabled second value is not checked.
class CValuePairDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog titled with string titleId; the first field has the focus.
    CValuePairDialog(uint32_t titleId, const RangedValue& first, const RangedValue& second,
                     QWidget* parent = nullptr);

    /// Enables or disables the second value with its label.
    void EnableSecond(bool enable);
    /// The first value typed.
    int GetFirst() const;
    /// The second value typed.
    int GetSecond() const;
    /// The first field.
    CRangeEdit* FirstEdit() const noexcept { return m_first; }
    /// The second field.
    CRangeEdit* SecondEdit() const noexcept { return m_second; }

    void accept() override;

private:
    CRangeEdit* m_first;
    CRangeEdit* m_second;
    QLabel* m_secondLabel;
};

} // namespace ondrix
