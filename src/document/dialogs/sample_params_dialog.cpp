#include "document/dialogs/sample_params_dialog.h"

#include "app/qt_message_service.h"
#include "base/message_service.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ondrix {

namespace {

constexpr uint32_t kRateLabel = 32720;
constexpr uint32_t kTracksLabel = 32721;
constexpr uint32_t kStereoLabel = 32722;
constexpr uint32_t kBits8Label = 32723;
constexpr uint32_t kBits16Label = 32724;
constexpr uint32_t kBitsGroup = 32725;
constexpr uint32_t kRangeMessage = 32400;
constexpr uint32_t kMinRate = 4000;
constexpr uint32_t kMaxRate = 99999;

} // namespace

void FillRateBox(QComboBox* box, uint32_t rate) {
    box->setEditable(true);
    box->addItems({QStringLiteral("11025"), QStringLiteral("22050"), QStringLiteral("44100")});
    box->setCurrentText(QString::number(rate));
}

uint32_t ValidateRateEntry(QComboBox* box) {
    bool ok = false;
    const uint32_t rate = box->currentText().trimmed().toUInt(&ok);
    if (ok && rate >= kMinRate && rate <= kMaxRate) {
        return rate;
    }
    const QString text = LoadQString(kRangeMessage)
                             .replace(QStringLiteral("%1"), QString::number(kMinRate))
                             .replace(QStringLiteral("%2"), QString::number(kMaxRate));
    Messages().Beep(MsgIcon::Exclamation);
    Messages().ShowMessage(text.toStdString(), MsgIcon::Exclamation, MsgButtons::Ok, kRangeMessage);
    box->setFocus();
    return 0;
}

CSampleParamsDialog::CSampleParamsDialog(uint32_t titleId, const SampleParams& params, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SampleParamsDialog"));
    setWindowTitle(LoadQString(titleId));
    m_rate = new QComboBox(this);
    m_rate->setObjectName(QStringLiteral("Rate"));
    FillRateBox(m_rate, params.rate);
    m_tracks = new QSpinBox(this);
    m_tracks->setObjectName(QStringLiteral("Tracks"));
    m_tracks->setRange(1, 32);
    m_tracks->setValue(int(params.tracks));
    m_stereo = new QCheckBox(LoadQString(kStereoLabel), this);
    m_stereo->setObjectName(QStringLiteral("Stereo"));
    m_stereo->setChecked(params.stereo);
    m_bits8 = new QRadioButton(LoadQString(kBits8Label), this);
    m_bits8->setObjectName(QStringLiteral("Bits8"));
    m_bits16 = new QRadioButton(LoadQString(kBits16Label), this);
    m_bits16->setObjectName(QStringLiteral("Bits16"));
    (params.bits == 8 ? m_bits8 : m_bits16)->setChecked(true);

    auto* form = new QFormLayout;
    auto* rateLabel = new QLabel(LoadQString(kRateLabel), this);
    rateLabel->setBuddy(m_rate);
    form->addRow(rateLabel, m_rate);
    auto* tracksLabel = new QLabel(LoadQString(kTracksLabel), this);
    tracksLabel->setBuddy(m_tracks);
    form->addRow(tracksLabel, m_tracks);
    form->addRow(m_stereo);
    auto* bits = new QGroupBox(LoadQString(kBitsGroup), this);
    auto* bitsLayout = new QHBoxLayout(bits);
    bitsLayout->addWidget(m_bits8);
    bitsLayout->addWidget(m_bits16);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(bits);
    layout->addWidget(buttons);
}

SampleParams CSampleParamsDialog::GetParams() const {
    SampleParams params;
    params.rate = m_rate->currentText().trimmed().toUInt();
    params.tracks = uint32_t(m_tracks->value());
    params.bits = m_bits8->isChecked() ? 8 : 16;
    params.stereo = m_stereo->isChecked();
    return params;
}

void CSampleParamsDialog::accept() {
    if (ValidateRateEntry(m_rate) != 0) {
        QDialog::accept();
    }
}

} // namespace ondrix
