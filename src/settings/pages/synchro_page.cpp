#include "settings/pages/synchro_page.h"

#include "controls/ui/range_message.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ondrix {

namespace {

constexpr int kMinRate = 4000;
constexpr int kMaxRate = 99999;

} // namespace

CSynchroPage::CSynchroPage(QWidget* parent) : CSettingsPage(parent) {
    m_useFile = new QCheckBox(LoadQString(str::kUseFileFormatBox), this);
    m_useFile->setObjectName(QStringLiteral("UseFile"));
    m_rate = new QComboBox(this);
    m_rate->setObjectName(QStringLiteral("SampleRate"));
    m_rate->setEditable(true);
    m_rate->addItems({QStringLiteral("11025"), QStringLiteral("22050"), QStringLiteral("44100")});
    m_rateLabel = new QLabel(LoadQString(str::kRateLabel), this);
    m_rateLabel->setBuddy(m_rate);
    m_stereo = new QCheckBox(LoadQString(str::kStereoPlaybackBox), this);
    m_stereo->setObjectName(QStringLiteral("Stereo"));
    m_bitsGroup = new QGroupBox(LoadQString(str::kBitsGroup), this);
    m_bits8 = new QRadioButton(LoadQString(str::kBits8Label), m_bitsGroup);
    m_bits8->setObjectName(QStringLiteral("Bits8"));
    m_bits16 = new QRadioButton(LoadQString(str::kBits16Label), m_bitsGroup);
    m_bits16->setObjectName(QStringLiteral("Bits16"));
    auto* bitsLayout = new QHBoxLayout(m_bitsGroup);
    bitsLayout->addWidget(m_bits8);
    bitsLayout->addWidget(m_bits16);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_useFile);
    auto* form = new QFormLayout;
    form->addRow(m_rateLabel, m_rate);
    layout->addLayout(form);
    layout->addWidget(m_stereo);
    layout->addWidget(m_bitsGroup);
    layout->addStretch();
    connect(m_useFile, &QCheckBox::toggled, this, &CSynchroPage::UpdateEnabling);
    UpdateEnabling();
}

void CSynchroPage::Load(const Settings& settings) {
    Show(settings.synchroPlay);
}

bool CSynchroPage::Validate() {
    if (!m_rate->isEnabled()) {
        return true;
    }
    bool ok = false;
    const int rate = m_rate->currentText().trimmed().toInt(&ok);
    if (ok && rate >= kMinRate && rate <= kMaxRate) {
        return true;
    }
    ShowRangeMessage(kMinRate, kMaxRate, m_rate);
    return false;
}

void CSynchroPage::Store(Settings& settings) const {
    SynchroPlaySettings& synchro = settings.synchroPlay;
    synchro.useFile = m_useFile->isChecked() ? 1 : 0;
    bool ok = false;
    const int rate = m_rate->currentText().trimmed().toInt(&ok);
    synchro.sampleRate = ok && rate >= kMinRate && rate <= kMaxRate ? rate : m_loadedRate;
    synchro.stereo = m_stereo->isChecked() ? 1 : 0;
    synchro.bitsPerSample = m_bits8->isChecked() ? 8 : 16;
}

void CSynchroPage::Standard() {
    Show(SynchroPlaySettings{});
}

void CSynchroPage::Show(const SynchroPlaySettings& synchro) {
    m_useFile->setChecked(synchro.useFile != 0);
    m_loadedRate = std::clamp<int>(synchro.sampleRate, kMinRate, kMaxRate);
    m_rate->setCurrentText(QString::number(m_loadedRate));
    m_stereo->setChecked(synchro.stereo != 0);
    (synchro.bitsPerSample == 8 ? m_bits8 : m_bits16)->setChecked(true);
}

void CSynchroPage::UpdateEnabling() {
    const bool own = !m_useFile->isChecked();
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_rateLabel, m_rate, m_stereo, m_bitsGroup, m_bits8, m_bits16}) {
        widget->setEnabled(own);
    }
}

} // namespace ondrix
