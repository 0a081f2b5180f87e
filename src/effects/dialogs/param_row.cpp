#include "effects/dialogs/param_row.h"

#include "controls/ui/range_edit.h"
#include "controls/ui/spin_buttons.h"
#include "controls/ui/time_edit.h"
#include "resources/ui/qt_strings.h"
#include "store/sample_store.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace ondrix {

CParamRow::CParamRow(uint32_t labelId, QWidget* parent) : QObject(parent), m_parent(parent) {
    if (labelId != 0) {
        m_label = new QLabel(LoadQString(labelId), parent);
    }
}

void CParamRow::Finish(QWidget* editor) {
    m_editor = editor;
    if (m_label) {
        m_label->setBuddy(FocusWidget());
    }
}

CParamRow* CParamRow::Number(uint32_t labelId, int32_t minimum, int32_t maximum, QWidget* parent) {
    auto* row = new CParamRow(labelId, parent);
    row->m_number = new CRangeEdit(parent);
    row->m_number->SetRange(minimum, maximum);
    row->m_range = {minimum, maximum};
    connect(row->m_number->Field(), &QLineEdit::textEdited, row, &CParamRow::Changed);
    connect(row->m_number->findChild<CSpinButtons*>(), &CSpinButtons::Stepped, row, &CParamRow::Changed);
    row->Finish(row->m_number);
    return row;
}

CParamRow* CParamRow::Choice(uint32_t labelId, std::span<const uint32_t> items, QWidget* parent) {
    auto* row = new CParamRow(labelId, parent);
    row->m_choice = new QComboBox(parent);
    for (const uint32_t item : items) {
        row->m_choice->addItem(LoadQString(item));
    }
    row->m_range = {0, int64_t(items.size()) - 1};
    connect(row->m_choice, &QComboBox::activated, row, &CParamRow::Changed);
    row->Finish(row->m_choice);
    return row;
}

CParamRow* CParamRow::Time(uint32_t labelId, FrameRange range, const TimeFormat& format,
                           const CSampleStore& store, QWidget* parent) {
    auto* row = new CParamRow(labelId, parent);
    row->m_store = &store;
    row->m_range = range;
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    row->m_time = new CTimeEdit(box);
    row->m_time->Attach(format);
    const bool frames = format.index == TIMEFMT_SAMPLES;
    const auto unit = [&](int64_t value) {
        return uint32_t(std::clamp<int64_t>(frames ? value : store.FramesToMs(value), 0,
                                            std::numeric_limits<uint32_t>::max()));
    };
    row->m_time->SetRange(unit(range.minimum), unit(range.maximum));
    auto* spin = new CSpinButtons(box);
    row->m_time->SetBuddy(spin);
    layout->addWidget(row->m_time);
    layout->addWidget(spin);
    for (int i = 0; i < row->m_time->FieldCount(); ++i) {
        connect(row->m_time->Field(i), &QLineEdit::textEdited, row, &CParamRow::Changed);
    }
    connect(spin, &CSpinButtons::Stepped, row, &CParamRow::Changed);
    box->setFocusProxy(row->m_time->Field(0));
    row->Finish(box);
    return row;
}

QWidget* CParamRow::FocusWidget() const {
    if (m_number) {
        return m_number->Field();
    }
    if (m_time) {
        return m_time->Field(0);
    }
    return m_choice;
}

void CParamRow::SetValue(int32_t value) {
    if (m_number) {
        m_number->SetValue(value);
    } else if (m_choice) {
        m_choice->setCurrentIndex(value);
    } else if (m_time) {
        m_shownZero = value == 0 && m_zeroShownAs.has_value();
        m_time->SetFrames(m_shownZero ? *m_zeroShownAs : value, *m_store);
    }
}

int32_t CParamRow::GetValue() const {
    if (m_number) {
        return m_number->GetValue();
    }
    if (m_choice) {
        return m_choice->currentIndex();
    }
    // an edited time in milliseconds may convert to a frame beyond the range's end
    const int64_t frames = std::clamp<int64_t>(m_time->GetFrames(*m_store), m_range.minimum, m_range.maximum);
    // a 0 shown as the block's length comes back as 0 while it still is that length
    return m_shownZero && frames == *m_zeroShownAs ? 0 : int32_t(frames);
}

bool CParamRow::Validate() {
    if (!m_editor->isVisibleTo(m_parent) || !m_editor->isEnabled()) {
        return true;
    }
    if (m_number) {
        return m_number->Validate();
    }
    if (m_time) {
        return m_time->Validate(true);
    }
    return true;
}

void CParamRow::SetVisible(bool visible) {
    if (m_label) {
        m_label->setVisible(visible);
    }
    m_editor->setVisible(visible);
}

void CParamRow::SetEnabled(bool enabled) {
    if (m_label) {
        m_label->setEnabled(enabled);
    }
    m_editor->setEnabled(enabled);
}

} // namespace ondrix
