#include "document/dialogs/format_fields.h"

#include "controls/ui/range_message.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace ondrix {

namespace {

// A WAVE file is read back only at rates from 4096 to 88200 Hz.
constexpr uint32_t kMinRate = 4096;
constexpr uint32_t kMaxRate = 88200;

/// A label that focuses its field on its mnemonic.
QLabel* BuddyLabel(uint32_t textId, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(LoadQString(textId), parent);
    label->setBuddy(field);
    return label;
}

} // namespace

CFormatFields::CFormatFields(QWidget* parent, uint32_t rate, uint32_t tracks, uint32_t bits)
    : m_parent(parent) {
    m_rate = new QComboBox(parent);
    m_rate->setObjectName(QStringLiteral("Rate"));
    m_rate->setEditable(true);
    m_rate->addItems({QStringLiteral("11025"), QStringLiteral("22050"), QStringLiteral("44100")});
    m_rate->setCurrentText(QString::number(rate));
    m_tracks = new QSpinBox(parent);
    m_tracks->setObjectName(QStringLiteral("Tracks"));
    m_tracks->setRange(1, 32);
    m_tracks->setValue(int(std::clamp<uint32_t>(tracks, 1, 32)));
    m_bitsGroup = new QGroupBox(LoadQString(str::kBitsGroup), parent);
    m_bits8 = new QRadioButton(LoadQString(str::kBits8Label), m_bitsGroup);
    m_bits8->setObjectName(QStringLiteral("Bits8"));
    m_bits16 = new QRadioButton(LoadQString(str::kBits16Label), m_bitsGroup);
    m_bits16->setObjectName(QStringLiteral("Bits16"));
    (bits == 8 ? m_bits8 : m_bits16)->setChecked(true);
    auto* bitsLayout = new QHBoxLayout(m_bitsGroup);
    bitsLayout->addWidget(m_bits8);
    bitsLayout->addWidget(m_bits16);
}

void CFormatFields::AddRows(QFormLayout* form) const {
    form->addRow(BuddyLabel(str::kRateLabel, m_rate, m_parent), m_rate);
    form->addRow(BuddyLabel(str::kTracksLabel, m_tracks, m_parent), m_tracks);
}

bool CFormatFields::ValidateRate() const {
    bool ok = false;
    const uint32_t rate = m_rate->currentText().trimmed().toUInt(&ok);
    if (ok && rate >= kMinRate && rate <= kMaxRate) {
        return true;
    }
    ShowRangeMessage(int(kMinRate), int(kMaxRate), m_rate);
    return false;
}

uint32_t CFormatFields::Rate() const {
    return m_rate->currentText().trimmed().toUInt();
}

uint32_t CFormatFields::Tracks() const {
    return uint32_t(m_tracks->value());
}

uint32_t CFormatFields::Bits() const {
    return m_bits8->isChecked() ? 8 : 16;
}

void AddOkCancel(QDialog* dialog, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace ondrix
