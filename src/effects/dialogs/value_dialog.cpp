#include "effects/dialogs/value_dialog.h"

#include "controls/ui/range_edit.h"
#include "effects/effect_presets.h"
#include "resources/ui/qt_strings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ondrix {

CValueDialog::CValueDialog(const ValueDialogFields& fields, QWidget* parent)
    : QDialog(parent), m_edit(new CRangeEdit(this)), m_label(new QLabel(LoadQString(fields.labelId), this)) {
    setWindowTitle(LoadQString(fields.titleId));
    m_edit->setObjectName(QStringLiteral("Value"));
    m_edit->SetRange(fields.minimum, fields.maximum);
    m_edit->SetValue(fields.value);
    m_label->setBuddy(m_edit->Field());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setFixedSize(sizeHint());
    m_edit->Field()->setFocus(Qt::OtherFocusReason);
    m_edit->Field()->selectAll();
}

ValueDialogFields CValueDialog::ForEffect(const OneValueDialogSpec& oneValue, int32_t value) noexcept {
    return {value, oneValue.param->minimum, oneValue.param->maximum, oneValue.titleId, oneValue.labelId};
}

bool CValueDialog::Ask(const ValueDialogFields& fields, int32_t& value, QWidget* parent) {
    CValueDialog dialog(fields, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    value = dialog.GetValue();
    return true;
}

int32_t CValueDialog::GetValue() const {
    return m_edit->GetValue();
}

void CValueDialog::accept() {
    if (m_edit->Validate()) {
        QDialog::accept();
    }
}

} // namespace ondrix
