#include "controls/ui/value_pair_dialog.h"

#include "controls/ui/range_edit.h"
#include "resources/ui/qt_strings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace ondrix {

namespace {

/// A range field holding a value.
CRangeEdit* MakeField(QWidget* parent, const RangedValue& value) {
    auto* edit = new CRangeEdit(parent);
    edit->SetRange(value.minimum, value.maximum);
    edit->SetValue(value.value);
    return edit;
}

/// A label that focuses its field on its mnemonic.
QLabel* MakeLabel(QWidget* parent, uint32_t id, CRangeEdit* field) {
    auto* label = new QLabel(LoadQString(id), parent);
    label->setBuddy(field->Field());
    return label;
}

} // namespace

CValuePairDialog::CValuePairDialog(uint32_t titleId, const RangedValue& first, const RangedValue& second,
                                   QWidget* parent)
    : QDialog(parent), m_first(MakeField(this, first)), m_second(MakeField(this, second)),
      m_secondLabel(MakeLabel(this, second.labelId, m_second)) {
    setWindowTitle(LoadQString(titleId));
    m_first->setObjectName(QStringLiteral("FirstValue"));
    m_second->setObjectName(QStringLiteral("SecondValue"));
    auto* form = new QFormLayout(this);
    form->addRow(MakeLabel(this, first.labelId, m_first), m_first);
    form->addRow(m_secondLabel, m_second);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_first->Field()->setFocus(Qt::OtherFocusReason);
    m_first->Field()->selectAll();
}

void CValuePairDialog::EnableSecond(bool enable) {
    m_second->setEnabled(enable);
    m_secondLabel->setEnabled(enable);
}

int CValuePairDialog::GetFirst() const {
    return m_first->GetValue();
}

int CValuePairDialog::GetSecond() const {
    return m_second->GetValue();
}

void CValuePairDialog::accept() {
    if (m_first->Validate() && (!m_second->isEnabled() || m_second->Validate())) {
        QDialog::accept();
    }
}

} // namespace ondrix
