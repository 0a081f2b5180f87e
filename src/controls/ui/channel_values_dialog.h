#pragma once

#include <QDialog>

namespace ondrix {

class CRangeEdit;

/// The "Change Volume" dialog: a left and a right channel value, both checked against one range.
class CChannelValuesDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog showing left and right, limited to minimum..maximum.
    CChannelValuesDialog(int left, int right, int minimum, int maximum, QWidget* parent = nullptr);

    /// The left channel value typed.
    int GetLeft() const;
    /// The right channel value typed.
    int GetRight() const;
    /// The left channel field.
    CRangeEdit* LeftEdit() const noexcept { return m_left; }
    /// The right channel field.
    CRangeEdit* RightEdit() const noexcept { return m_right; }

    void accept() override;

private:
    CRangeEdit* m_left;
    CRangeEdit* m_right;
};

} // namespace ondrix
