#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;

namespace ondrix {

class CRangeEdit;
struct OneValueDialogSpec;

/// What a one-value dialog asks for: the starting value, its range, the title and the label.
struct ValueDialogFields {
    int32_t value;
    int32_t minimum;
    int32_t maximum;
    uint32_t titleId;
    uint32_t labelId;
};

/// The one-value dialog: a label, one whole-number edit with a spin control limited to a range, OK and
/// Cancel. OK refuses a value outside the range with the range message and stays open. Used by the
/// volume functions, the velocity and the clipboard's mix.
class CValueDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog showing fields.value; the edit has the focus with its text selected.
    explicit CValueDialog(const ValueDialogFields& fields, QWidget* parent = nullptr);

    /// The fields of a function's one-value dialog, starting at value.
    static ValueDialogFields ForEffect(const OneValueDialogSpec& oneValue, int32_t value) noexcept;

    /// Shows the dialog modally; on OK writes the value typed into value and returns true, on Cancel
    /// leaves value unchanged and returns false.
    static bool Ask(const ValueDialogFields& fields, int32_t& value, QWidget* parent = nullptr);

    /// The value typed.
    int32_t GetValue() const;
    /// The edit (for tests and buddies).
    CRangeEdit* Edit() const noexcept { return m_edit; }
    /// The label.
    QLabel* Label() const noexcept { return m_label; }

    void accept() override;

private:
    CRangeEdit* m_edit;
    QLabel* m_label;
};

} // namespace ondrix
