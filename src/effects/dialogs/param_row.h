#pragma once

#include "controls/time_format.h"
#include "effects/effect_arguments.h"

#include <QObject>

#include <cstdint>
#include <optional>
#include <span>

class QComboBox;
class QLabel;
class QWidget;

namespace ondrix {

class CRangeEdit;
class CSampleStore;
class CSpinButtons;
class CTimeEdit;

/// One row of a parameter dialog: an optional label and the editor of one integer parameter, which is a
/// whole-number edit with a spin control, a time edit with a spin control (values in frames), or a
/// combo box (values = list indexes). The dialog places the label and the editor.
class CParamRow final : public QObject {
    Q_OBJECT
public:
    /// A whole number from minimum to maximum; OK refuses others with the range message.
    static CParamRow* Number(uint32_t labelId, int32_t minimum, int32_t maximum, QWidget* parent);
    /// A list of texts; the value is the index chosen.
    static CParamRow* Choice(uint32_t labelId, std::span<const uint32_t> items, QWidget* parent);
    /// A time in frames within a range, shown in format (frames in format 0, else milliseconds of store).
    /// A value the user did not edit comes back exactly as it was given.
    static CParamRow* Time(uint32_t labelId, FrameRange range, const TimeFormat& format,
                           const CSampleStore& store, QWidget* parent);

    /// A time row shows the value 0 as frames (the block's length), and hands back 0 while it shows them.
    void ShowZeroAs(int64_t frames) noexcept { m_zeroShownAs = frames; }
    /// Shows a value.
    void SetValue(int32_t value);
    /// The value shown (or chosen, or the exact value given while a time is not edited).
    int32_t GetValue() const;
    /// Whether the value lies inside the range; otherwise reports it (the range message, or the time
    /// edit's) and returns false. A hidden or disabled row is not checked.
    bool Validate();
    /// Shows or hides the label and the editor together.
    void SetVisible(bool visible);
    /// Enables or disables the label and the editor together.
    void SetEnabled(bool enabled);

    /// The label, or null.
    QLabel* Label() const noexcept { return m_label; }
    /// The widget to place beside the label.
    QWidget* Editor() const noexcept { return m_editor; }
    /// The widget that takes the focus (the edit field or the combo box).
    QWidget* FocusWidget() const;
    /// The number edit, or null.
    CRangeEdit* NumberEdit() const noexcept { return m_number; }
    /// The time edit, or null.
    CTimeEdit* TimeEdit() const noexcept { return m_time; }
    /// The combo box, or null.
    QComboBox* ChoiceBox() const noexcept { return m_choice; }

signals:
    /// The user changed the value (typed, stepped or chose).
    void Changed();

private:
    CParamRow(uint32_t labelId, QWidget* parent);
    /// Gives the label its buddy.
    void Finish(QWidget* editor);

    QWidget* m_parent;
    QLabel* m_label = nullptr;
    QWidget* m_editor = nullptr;
    CRangeEdit* m_number = nullptr;
    CTimeEdit* m_time = nullptr;
    QComboBox* m_choice = nullptr;
    const CSampleStore* m_store = nullptr;
    FrameRange m_range{0, 0};
    std::optional<int64_t> m_zeroShownAs;
    bool m_shownZero = false;
};

} // namespace ondrix
