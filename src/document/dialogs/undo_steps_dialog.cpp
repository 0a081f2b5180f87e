#include "document/dialogs/undo_steps_dialog.h"

#include "controls/ui/range_edit.h"
#include "document/dialogs/format_fields.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ondrix {

namespace {

constexpr int kMinCount = 1;
constexpr int kMaxCount = 10;

} // namespace

CUndoStepsDialog::CUndoStepsDialog(uint32_t count, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UndoStepsDialog"));
    setWindowTitle(LoadQString(str::kUndoStepsTitle));
    m_enable = new QCheckBox(LoadQString(str::kEnableUndoLabel), this);
    m_enable->setObjectName(QStringLiteral("EnableUndo"));
    m_count = new CRangeEdit(this);
    m_count->setObjectName(QStringLiteral("UndoCount"));
    m_count->SetRange(kMinCount, kMaxCount);
    m_label = new QLabel(LoadQString(str::kUndoCountLabel), this);
    m_label->setBuddy(m_count->Field());
    auto* row = new QHBoxLayout;
    row->addWidget(m_label);
    row->addWidget(m_count);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enable);
    layout->addLayout(row);
    AddOkCancel(this, layout);

    m_enable->setChecked(count != 0);
    m_count->SetValue(count != 0 ? int(count) : kMinCount);
    UpdateCountRow();
    connect(m_enable, &QCheckBox::toggled, this, &CUndoStepsDialog::UpdateCountRow);
    m_enable->setFocus();
}

void CUndoStepsDialog::UpdateCountRow() {
    m_label->setVisible(m_enable->isChecked());
    m_count->setVisible(m_enable->isChecked());
}

uint32_t CUndoStepsDialog::GetCount() const {
    return m_enable->isChecked() ? uint32_t(m_count->GetValue()) : 0;
}

void CUndoStepsDialog::accept() {
    if (!m_enable->isChecked() || m_count->Validate()) {
        QDialog::accept();
    }
}

} // namespace ondrix
