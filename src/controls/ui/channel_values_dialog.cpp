#include "controls/ui/channel_values_dialog.h"

#include "controls/ui/range_edit.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace ondrix {

namespace {

/// A range field with its value.
CRangeEdit* MakeField(QWidget* parent, int value, int minimum, int maximum, const char* name) {
    auto* edit = new CRangeEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->SetRange(minimum, maximum);
    edit->SetValue(value);
    return edit;
}

} // namespace

CChannelValuesDialog::CChannelValuesDialog(int left, int right, int minimum, int maximum, QWidget* parent)
    : QDialog(parent), m_left(MakeField(this, left, minimum, maximum, "LeftChannel")),
      m_right(MakeField(this, right, minimum, maximum, "RightChannel")) {
    setWindowTitle(LoadQString(str::kChangeVolumeTitle));
    auto* form = new QFormLayout(this);
    auto* leftLabel = new QLabel(LoadQString(str::kLeftChannelLabel), this);
    leftLabel->setBuddy(m_left->Field());
    auto* rightLabel = new QLabel(LoadQString(str::kRightChannelLabel), this);
    rightLabel->setBuddy(m_right->Field());
    form->addRow(leftLabel, m_left);
    form->addRow(rightLabel, m_right);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_left->Field()->setFocus(Qt::OtherFocusReason);
    m_left->Field()->selectAll();
}

int CChannelValuesDialog::GetLeft() const {
    return m_left->GetValue();
}

int CChannelValuesDialog::GetRight() const {
    return m_right->GetValue();
}

void CChannelValuesDialog::accept() {
    if (m_left->Validate() && m_right->Validate()) {
        QDialog::accept();
    }
}

} // namespace ondrix
