#include "document/dialogs/sample_params_dialog.h"

#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ondrix {

CSampleParamsDialog::CSampleParamsDialog(uint32_t titleId, const SampleParams& params, QWidget* parent)
    : QDialog(parent), m_fields(this, params.rate, params.tracks, params.bits) {
    setObjectName(QStringLiteral("SampleParamsDialog"));
    setWindowTitle(LoadQString(titleId));
    m_stereo = new QCheckBox(LoadQString(str::kStereoLabel), this);
    m_stereo->setObjectName(QStringLiteral("Stereo"));
    m_stereo->setChecked(params.stereo);

    auto* form = new QFormLayout;
    m_fields.AddRows(form);
    form->addRow(m_stereo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_fields.BitsGroup());
    AddOkCancel(this, layout);
    setTabOrder(m_fields.TracksBox(), m_stereo); // the fields in the order they are shown
}

SampleParams CSampleParamsDialog::GetParams() const {
    SampleParams params;
    params.rate = m_fields.Rate();
    params.tracks = m_fields.Tracks();
    params.bits = m_fields.Bits();
    params.stereo = m_stereo->isChecked();
    return params;
}

void CSampleParamsDialog::accept() {
    if (m_fields.ValidateRate()) {
        QDialog::accept();
    }
}

} // namespace ondrix
