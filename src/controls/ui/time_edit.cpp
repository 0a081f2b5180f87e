#include "controls/ui/time_edit.h"

#include "base/message_service.h"
#include "controls/ui/menu_keys.h"
#include "controls/ui/spin_buttons.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "resources/ui/qt_strings.h"
#include "store/sample_store.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace ondrix {

namespace {

/// Room a field needs around its digits (the line edit's own margins and the caret).
constexpr int kFieldPadding = 6;
/// Pixels a label is wider than its text.
constexpr int kLabelGap = 2;
/// The sunken frame's width; the fields sit this far inside.
constexpr int kFrameWidth = 2;

} // namespace

CTimeField::CTimeField(CTimeEdit* owner, int index) : QLineEdit(owner), m_owner(owner), m_index(index) {
    setFrame(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    setFocusPolicy(Qt::StrongFocus);
    const int limit = TimeFieldMaxLength(owner->GetFormat().index, static_cast<uint8_t>(index));
    if (limit > 0) {
        setMaxLength(limit);
    }
}

void CTimeField::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        m_owner->StepBy(key == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    if (IsMenuKey(event)) {
        m_owner->ShowContextMenu(m_owner->mapToGlobal(QPoint(0, 0)));
        event->accept();
        return;
    }
    // Typed characters other than digits are dropped, backspace included; Delete and the editing
    // shortcuts work as in any field.
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    const QString text = event->text();
    if (key == Qt::Key_Backspace ||
        (!shortcut && !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isDigit())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CTimeField::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint at =
        event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : m_owner->mapToGlobal(QPoint(0, 0));
    m_owner->ShowContextMenu(at);
    event->accept();
}

CTimeEdit::CTimeEdit(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kFrameWidth);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    UpdateBackground();
}

void CTimeEdit::SetRange(uint32_t minimum, uint32_t maximum) {
    // A one-frame block has equal bounds; a lower maximum could never be accepted.
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
}

void CTimeEdit::Attach(const TimeFormat& format) {
    setFocusProxy(nullptr);
    for (CTimeField* field : m_fields) {
        delete field;
    }
    for (QLabel* label : m_labels) {
        delete label;
    }
    m_fields.clear();
    m_labels.clear();
    m_format = format;
    const int count = TimeFieldCount(format.index);
    for (int i = 0; i < count; ++i) {
        auto* field = new CTimeField(this, i);
        auto* label =
            new QLabel(QString::fromStdString(TimeFieldLabel(format.index, static_cast<uint8_t>(i))), this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        field->show();
        label->show();
        m_fields.push_back(field);
        m_labels.push_back(label);
    }
    for (int i = 1; i < count; ++i) {
        setTabOrder(m_fields[static_cast<std::size_t>(i - 1)], m_fields[static_cast<std::size_t>(i)]);
    }
    if (!m_fields.empty()) {
        // The control passes the focus to its last field.
        setFocusProxy(m_fields.back());
    }
    LayOut();
    SetValue(0);
    updateGeometry();
}

void CTimeEdit::SetValue(uint32_t value) {
    m_frames.reset();
    ShowValue(value);
}

void CTimeEdit::ShowValue(uint32_t value) {
    const bool untouched = !IsEdited();
    const TimeFields fields = SplitTime(value, m_format);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const uint32_t number = i < fields.count ? fields.values[i] : 0;
        m_fields[i]->setText(
            QString::fromStdString(TimeFieldText(number, m_format.index, static_cast<uint8_t>(i))));
    }
    const std::vector<std::string> texts = FieldTexts();
    if (!untouched || texts != m_shownTexts) {
        m_frames.reset();
    }
    m_shownTexts = texts;
}

uint32_t CTimeEdit::GetValue() const {
    return ParseTime(FieldTexts(), m_format);
}

void CTimeEdit::SetFrames(int64_t frames, const CSampleStore& store) {
    const int64_t shown = m_format.index == TIMEFMT_SAMPLES ? frames : store.FramesToMs(frames);
    SetValue(static_cast<uint32_t>(std::clamp<int64_t>(shown, 0, UINT32_MAX)));
    m_frames = frames;
}

int64_t CTimeEdit::GetFrames(const CSampleStore& store) const {
    if (m_frames && !IsEdited()) {
        return *m_frames;
    }
    const uint32_t value = GetValue();
    return m_format.index == TIMEFMT_SAMPLES ? int64_t(value) : store.MsToFrames(value);
}

bool CTimeEdit::IsEdited() const {
    return FieldTexts() != m_shownTexts;
}

std::vector<std::string> CTimeEdit::FieldTexts() const {
    std::vector<std::string> texts;
    texts.reserve(m_fields.size());
    for (const CTimeField* field : m_fields) {
        texts.push_back(field->text().toStdString());
    }
    return texts;
}

bool CTimeEdit::Validate(bool report) {
    const uint32_t value = GetValue();
    if (IsTimeInRange(value, m_minimum, m_maximum, m_format)) {
        ShowValue(value); // "1" and "75" in format 7 become 02:15
        return true;
    }
    // A refused entry stays as typed: an oversized one saturated and would show as something else.
    if (!report) {
        SetValue(value >= m_minimum ? m_maximum : m_minimum);
        return false;
    }
    Messages().Beep(MsgIcon::Stop);
    Messages().ShowMessage(TimeRangeMessage(m_minimum, m_maximum, m_format), MsgIcon::Stop, MsgButtons::Ok,
                           str::kTimeEditRangeMessage);
    setFocus(Qt::OtherFocusReason);
    return false;
}

void CTimeEdit::StepBy(int delta) {
    if (m_fields.empty()) {
        return;
    }
    const uint32_t current = GetValue();
    const uint32_t next =
        StepTime(current, delta, static_cast<uint8_t>(FocusedField()), m_format, m_minimum, m_maximum);
    if (next != current) {
        SetValue(next);
    }
}

void CTimeEdit::SetBuddy(CSpinButtons* buddy) {
    connect(buddy, &CSpinButtons::Stepped, this, &CTimeEdit::StepBy);
}

void CTimeEdit::ShowContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    menu.addAction(LoadQString(str::kMinimumCommand), this, [this] { SetValue(m_minimum); });
    menu.addAction(LoadQString(str::kMiddleCommand), this,
                   [this] { SetValue(MiddleTime(m_minimum, m_maximum)); });
    menu.addAction(LoadQString(str::kMaximumCommand), this, [this] { SetValue(m_maximum); });
    menu.exec(globalPos);
}

int CTimeEdit::FixedFieldWidth(int index) const {
    const bool milliseconds = m_format.index == TIMEFMT_MIDI && index == 2;
    return fontMetrics().horizontalAdvance(milliseconds ? QStringLiteral("000") : QStringLiteral("00")) +
           kFieldPadding;
}

int CTimeEdit::LabelWidth(int index) const {
    const QString text = m_labels[static_cast<std::size_t>(index)]->text();
    return text.isEmpty() ? 0 : fontMetrics().horizontalAdvance(text) + kLabelGap;
}

void CTimeEdit::LayOut() {
    const QRect inner = contentsRect();
    const int count = FieldCount();
    int fixed = 0;
    for (int i = 0; i < count; ++i) {
        fixed += LabelWidth(i) + (i > 0 ? FixedFieldWidth(i) : 0);
    }
    const int firstWidth = std::max(inner.width() - fixed, FixedFieldWidth(0));
    int x = inner.left();
    for (int i = 0; i < count; ++i) {
        const int width = i == 0 ? firstWidth : FixedFieldWidth(i);
        m_fields[static_cast<std::size_t>(i)]->setGeometry(x, inner.top(), width, inner.height());
        x += width;
        m_labels[static_cast<std::size_t>(i)]->setGeometry(x, inner.top(), LabelWidth(i), inner.height());
        x += LabelWidth(i);
    }
}

int CTimeEdit::FocusedField() const {
    for (int i = 0; i < FieldCount(); ++i) {
        if (m_fields[static_cast<std::size_t>(i)]->hasFocus()) {
            return i;
        }
    }
    return FieldCount() - 1;
}

void CTimeEdit::UpdateBackground() {
    setBackgroundRole(isEnabled() ? QPalette::Base : QPalette::Button);
}

QSize CTimeEdit::sizeHint() const {
    int width = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + kFieldPadding;
    for (int i = 0; i < FieldCount(); ++i) {
        width += LabelWidth(i) + (i > 0 ? FixedFieldWidth(i) : 0);
    }
    const int frame = 2 * frameWidth();
    return {width + frame, fontMetrics().height() + 4 + frame};
}

QSize CTimeEdit::minimumSizeHint() const {
    return sizeHint();
}

void CTimeEdit::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    LayOut();
}

void CTimeEdit::mousePressEvent(QMouseEvent* event) {
    // A click between the fields goes to the field it belongs to (the one whose label it hit).
    for (int i = 0; i < FieldCount(); ++i) {
        CTimeField* field = m_fields[static_cast<std::size_t>(i)];
        const QLabel* label = m_labels[static_cast<std::size_t>(i)];
        const int right = label->geometry().right();
        if (event->position().x() <= right || i == FieldCount() - 1) {
            field->setFocus(Qt::MouseFocusReason);
            field->end(false);
            break;
        }
    }
    event->accept();
}

void CTimeEdit::contextMenuEvent(QContextMenuEvent* event) {
    ShowContextMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                : mapToGlobal(QPoint(0, 0)));
    event->accept();
}

void CTimeEdit::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        UpdateBackground();
    } else if (event->type() == QEvent::FontChange) {
        LayOut();
        updateGeometry();
    }
}

} // namespace ondrix
