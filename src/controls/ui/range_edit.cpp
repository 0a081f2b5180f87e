#include "controls/ui/range_edit.h"

#include "controls/ui/range_message.h"
#include "controls/ui/spin_buttons.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace ondrix {

CRangeEdit::CRangeEdit(QWidget* parent)
    : QWidget(parent), m_field(new QLineEdit(this)), m_spin(new CSpinButtons(this)) {
    // signs and digits only; the range is checked on OK, not while typing
    m_field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,9}")), m_field));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_field);
    layout->addWidget(m_spin);
    setFocusProxy(m_field);
    connect(m_spin, &CSpinButtons::Stepped, this, [this](int delta) {
        bool ok = false;
        const int value = GetValue(&ok);
        SetValue(std::clamp(ok ? value + delta : m_minimum, m_minimum, m_maximum));
    });
}

void CRangeEdit::SetRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
}

void CRangeEdit::SetValue(int value) {
    m_field->setText(QString::number(value));
}

int CRangeEdit::GetValue(bool* ok) const {
    return m_field->text().toInt(ok);
}

bool CRangeEdit::Validate() {
    bool ok = false;
    const int value = GetValue(&ok);
    if (ok && value >= m_minimum && value <= m_maximum) {
        return true;
    }
    ShowRangeMessage(m_minimum, m_maximum, m_field);
    m_field->selectAll();
    return false;
}

} // namespace ondrix
