#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLabel;

namespace ondrix {

class CRangeEdit;

/// Dialog 185 "Undo": "&Enable Undo" and, shown only while it is checked, "Undo &Count:" from 1 to 10.
class CUndoStepsDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog showing an undo count (0: undo off, shown as 1 with the box unchecked).
    explicit CUndoStepsDialog(uint32_t count, QWidget* parent = nullptr);

    /// The count chosen (valid after OK): 0 with the box unchecked.
    uint32_t GetCount() const;
    /// The check box.
    QCheckBox* EnableBox() const noexcept { return m_enable; }
    /// The count field.
    CRangeEdit* CountEdit() const noexcept { return m_count; }

    void accept() override;

private:
    /// Shows the count row only while undo is enabled.
    void UpdateCountRow();

    QCheckBox* m_enable;
    QLabel* m_label;
    CRangeEdit* m_count;
};

} // namespace ondrix
