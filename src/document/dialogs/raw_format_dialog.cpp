#include "document/dialogs/raw_format_dialog.h"

#include "app/qt_message_service.h"
#include "document/dialogs/sample_params_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace ondrix {

namespace {

constexpr uint32_t kTitle = 32726;
constexpr uint32_t kExplanation = 32727;
constexpr uint32_t kOffsetLabel = 32728;
constexpr uint32_t kRateLabel = 32720;
constexpr uint32_t kTracksLabel = 32721;
constexpr uint32_t kBits8Label = 32723;
constexpr uint32_t kBits16Label = 32724;
constexpr uint32_t kBitsGroup = 32725;

} // namespace

CRawFormatDialog::CRawFormatDialog(const RawFormat& format, uint64_t fileLength, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("RawFormatDialog"));
    setWindowTitle(LoadQString(kTitle));
    auto* explanation = new QLabel(LoadQString(kExplanation), this);
    explanation->setWordWrap(true);
    m_rate = new QComboBox(this);
    m_rate->setObjectName(QStringLiteral("Rate"));
    FillRateBox(m_rate, format.rate);
    m_tracks = new QSpinBox(this);
    m_tracks->setObjectName(QStringLiteral("Tracks"));
    m_tracks->setRange(1, 32);
    m_tracks->setValue(int(std::clamp<uint32_t>(format.tracks, 1, 32)));
    m_offset = new QSpinBox(this);
    m_offset->setObjectName(QStringLiteral("Offset"));
    const uint64_t last = fileLength == 0 ? 0 : fileLength - 1;
    m_offset->setRange(0, int(std::min<uint64_t>(last, uint64_t(std::numeric_limits<int>::max()))));
    m_offset->setValue(int(std::min<uint64_t>(format.offset, uint64_t(m_offset->maximum()))));
    m_bits8 = new QRadioButton(LoadQString(kBits8Label), this);
    m_bits8->setObjectName(QStringLiteral("Bits8"));
    m_bits16 = new QRadioButton(LoadQString(kBits16Label), this);
    m_bits16->setObjectName(QStringLiteral("Bits16"));
    (format.bits == 16 ? m_bits16 : m_bits8)->setChecked(true);

    auto* form = new QFormLayout;
    auto* rateLabel = new QLabel(LoadQString(kRateLabel), this);
    rateLabel->setBuddy(m_rate);
    form->addRow(rateLabel, m_rate);
    auto* tracksLabel = new QLabel(LoadQString(kTracksLabel), this);
    tracksLabel->setBuddy(m_tracks);
    form->addRow(tracksLabel, m_tracks);
    auto* offsetLabel = new QLabel(LoadQString(kOffsetLabel), this);
    offsetLabel->setBuddy(m_offset);
    form->addRow(offsetLabel, m_offset);
    auto* bits = new QGroupBox(LoadQString(kBitsGroup), this);
    auto* bitsLayout = new QHBoxLayout(bits);
    bitsLayout->addWidget(m_bits8);
    bitsLayout->addWidget(m_bits16);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addWidget(bits);
    layout->addWidget(buttons);
}

RawFormat CRawFormatDialog::GetFormat() const {
    RawFormat format;
    format.rate = m_rate->currentText().trimmed().toUInt();
    format.tracks = uint32_t(m_tracks->value());
    format.bits = m_bits16->isChecked() ? 16 : 8;
    format.offset = uint32_t(m_offset->value());
    return format;
}

void CRawFormatDialog::accept() {
    if (ValidateRateEntry(m_rate) != 0) {
        QDialog::accept();
    }
}

} // namespace ondrix
