#pragma once

#include "controls/time_format.h"

#include <QFrame>
#include <QLineEdit>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace ondrix {

class CSampleStore;
class CSpinButtons;
class CTimeEdit;

/// One numeric field of a time edit: digits only; the arrow keys step the value and the context-menu keys
/// open the owner's menu.
class CTimeField final : public QLineEdit {
    Q_OBJECT
public:
    /// A field of owner at position index.
    CTimeField(CTimeEdit* owner, int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CTimeEdit* m_owner;
    int m_index;
};

/// The time edit control: a value shown in one to four numeric fields with unit labels between them,
/// stepped by the arrow keys or a CSpinButtons buddy, with a menu for the minimum, middle and maximum value
/// and a range check (message 30500). Values are frames in format 0 and milliseconds in all others.
class CTimeEdit final : public QFrame {
    Q_OBJECT
public:
    /// An empty control (no fields until Attach).
    explicit CTimeEdit(QWidget* parent = nullptr);

    /// Sets the allowed range (default 0 to 10000); a maximum below the minimum is raised to it.
    void SetRange(uint32_t minimum, uint32_t maximum);
    /// Builds the fields and labels of a format in the control's font and shows value 0.
    void Attach(const TimeFormat& format);
    /// Shows a value in the fields.
    void SetValue(uint32_t value);
    /// The value the fields hold (saturating, so an oversized entry is out of range).
    uint32_t GetValue() const;
    /// Shows a frame position of store in the control's unit (frames in format 0, else milliseconds).
    void SetFrames(int64_t frames, const CSampleStore& store);
    /// The frame position: exactly the one SetFrames was given while the fields still show its text; an
    /// edited value converted from the control's unit.
    int64_t GetFrames(const CSampleStore& store) const;
    /// Whether the fields differ from what the control last showed itself through SetValue or SetFrames.
    bool IsEdited() const;
    /// Whether the value lies between the minimum and the maximum as the format shows it. Otherwise, with
    /// report, beeps, shows message 30500 and takes the focus; without, shows the nearer end of the range.
    bool Validate(bool report);
    /// One spin step of delta units of the focused field (the last field when none has the focus).
    void StepBy(int delta);
    /// Makes an up-down control step this control.
    void SetBuddy(CSpinButtons* buddy);
    /// Opens the menu with "&Minimum value", "Mi&ddle value" and "Ma&ximum value" at a screen position.
    void ShowContextMenu(const QPoint& globalPos);

    /// The smallest allowed value.
    uint32_t GetMinimum() const noexcept { return m_minimum; }
    /// The largest allowed value.
    uint32_t GetMaximum() const noexcept { return m_maximum; }
    /// The format the fields show.
    const TimeFormat& GetFormat() const noexcept { return m_format; }
    /// Number of fields.
    int FieldCount() const noexcept { return static_cast<int>(m_fields.size()); }
    /// The field at index.
    QLineEdit* Field(int index) const { return m_fields.at(static_cast<std::size_t>(index)); }
    /// The label after the field at index (it may be empty).
    QLabel* Label(int index) const { return m_labels.at(static_cast<std::size_t>(index)); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class CTimeField;

    /// Places the fields and labels: fixed widths for all but the first field, which takes the rest.
    void LayOut();
    /// The width of the field at index (the first one's share excepted).
    int FixedFieldWidth(int index) const;
    /// The width of the label at index.
    int LabelWidth(int index) const;
    /// The index of the field with the focus; the last field when none has it.
    int FocusedField() const;
    /// Shows the window colour, or the button face while disabled.
    void UpdateBackground();
    /// Shows a value in the fields, keeping a frame value given by SetFrames when the texts stay the same.
    void ShowValue(uint32_t value);
    /// The texts of the fields.
    std::vector<std::string> FieldTexts() const;

    uint32_t m_minimum = 0;
    uint32_t m_maximum = 10000;
    TimeFormat m_format;
    std::vector<CTimeField*> m_fields;
    std::vector<QLabel*> m_labels;
    /// The texts the control last put in the fields; a difference is the user's edit.
    std::vector<std::string> m_shownTexts;
    /// The exact frame position of SetFrames while its texts are shown.
    std::optional<int64_t> m_frames;
};

} // namespace ondrix
