#include "settings/pages/sound_card_page.h"

#include "audio/accompaniment_backends.h"
#include "audio/take_latency.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/device_numbering.h"
#include "settings/core/settings.h"
#include "settings/pages/device_picture.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

namespace ondrix {

namespace {

/// The read-out of a wave device's capabilities: highest rate, bits and channels.
void ShowWaveCaps(const AudioDeviceCaps& caps, QLabel* const labels[3]) {
    labels[0]->setText(
        LoadQString(str::kRateValue).replace(QStringLiteral("%d"), QString::number(caps.highestRate)));
    labels[1]->setText(
        LoadQString(str::kBitsValue).replace(QStringLiteral("%d"), QString::number(caps.highestBits)));
    labels[2]->setText(QString::number(caps.channels));
}

/// The device and buffer settings a page of a kind edits (no buffer for MIDI).
template <class SettingsType> auto DeviceFieldsOf(SettingsType& s, CSoundCardPage::DeviceKind kind) {
    using Field = decltype(&s.playBack.port);
    switch (kind) {
    case CSoundCardPage::PLAYBACK:
        return std::pair<Field, Field>{&s.playBack.port, &s.playBack.buffer};
    case CSoundCardPage::RECORD:
        return std::pair<Field, Field>{&s.record.port, &s.record.buffer};
    case CSoundCardPage::SYNCHRO:
        return std::pair<Field, Field>{&s.synchroPlay.port, &s.synchroPlay.buffer};
    case CSoundCardPage::MIDI:
        break;
    }
    return std::pair<Field, Field>{&s.record.midiPort, nullptr};
}

} // namespace

CSoundCardPage::CSoundCardPage(DeviceKind kind, IAudioBackend& backend, QWidget* parent)
    : CSettingsPage(parent), m_kind(kind), m_backend(backend) {
    m_devices = new QComboBox(this);
    m_devices->setObjectName(QStringLiteral("Device"));
    auto* deviceLabel = new QLabel(LoadQString(str::kSoundCardLabel), this);
    deviceLabel->setBuddy(m_devices);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("DriverVersion"));
    static constexpr uint32_t kWaveLabels[3] = {str::kSamplerateLabel, str::kBitsPerSampleLabel,
                                                str::kNumberOfChannelsLabel};
    static constexpr uint32_t kMidiLabels[3] = {str::kSynthesizerTypeLabel, str::kNumberOfVoicesLabel,
                                                str::kNumberOfNotesLabel};
    auto* form = new QFormLayout;
    form->addRow(new QLabel(LoadQString(str::kDriverVersionLabel), this), m_version);
    for (int i = 0; i < 3; ++i) {
        m_caps[i] = new QLabel(this);
        m_caps[i]->setObjectName(QStringLiteral("Capability%1").arg(i));
        form->addRow(new QLabel(LoadQString(kind == MIDI ? kMidiLabels[i] : kWaveLabels[i]), this),
                     m_caps[i]);
    }
    m_buffers = new QComboBox(this);
    m_buffers->setObjectName(QStringLiteral("Buffer"));
    for (int entry = 0; entry < kBufferSizeEntries; ++entry) {
        m_buffers->addItem(
            LoadQString(str::kBufferSizeEntry)
                .replace(QStringLiteral("%d"), QString::number(BufferSizeOfEntry(entry) / 1024)));
    }
    m_bufferLabel = new QLabel(LoadQString(str::kWaveBuffersizeLabel), this);
    m_bufferLabel->setBuddy(m_buffers);
    auto* bufferForm = new QFormLayout;
    bufferForm->addRow(m_bufferLabel, m_buffers);
    m_bufferLabel->setVisible(kind != MIDI);
    m_buffers->setVisible(kind != MIDI);
    // how much earlier a take heard with synchronous playback is put (ondrix-cli latency measures it)
    m_latency = new QSpinBox(this);
    m_latency->setObjectName(QStringLiteral("LatencyMs"));
    m_latency->setRange(kLatencyMsMin, kLatencyMsMax);
    auto* latencyLabel = new QLabel(LoadQString(str::kLatencyCompensationLabel), this);
    latencyLabel->setBuddy(m_latency);
    if (kind == RECORD) {
        bufferForm->addRow(latencyLabel, m_latency);
    } else {
        latencyLabel->hide();
        m_latency->hide();
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(deviceLabel);
    layout->addWidget(m_devices);
    layout->addLayout(form);
    layout->addLayout(bufferForm);
    layout->addStretch();
    FillDevices();
    connect(m_devices, &QComboBox::currentIndexChanged, this, &CSoundCardPage::ShowCapabilities);
    ShowCapabilities();
}

QString CSoundCardPage::Title() const {
    static constexpr uint32_t kTitles[] = {str::kPlaybackPageTitle, str::kRecordPageTitle,
                                           str::kSynchrDevicePageTitle, str::kMidiPageTitle};
    return LoadQString(kTitles[m_kind]);
}

void CSoundCardPage::FillDevices() {
    const DevicePicture picture = m_kind == RECORD ? PICTURE_INPUT
                                  : m_kind == MIDI ? PICTURE_MIDI
                                                   : PICTURE_OUTPUT;
    m_devices->addItem(DevicePictureIcon(picture, false), LoadQString(str::kNoSoundCard));
    m_devices->addItem(DevicePictureIcon(picture, true),
                       LoadQString(m_kind == MIDI ? str::kMidiMapper : str::kWaveMapper));
    // MIDI: the built-in synthesizer is the mapper, then the sequencer's output ports (none without one)
    if (m_kind == MIDI) {
        IMidiBackend* sequencer = CurrentMidiBackend();
        const std::vector<std::string> ports =
            sequencer ? sequencer->ListPorts() : std::vector<std::string>();
        for (std::size_t i = 0; i < ports.size(); ++i) {
            m_deviceInfo.push_back({int(i), ports[i], ports[i]});
            m_devices->addItem(DevicePictureIcon(picture, true), QString::fromStdString(ports[i]));
        }
        return;
    }
    if (!m_backend.IsAvailable()) {
        return;
    }
    m_deviceInfo = m_kind == RECORD ? m_backend.ListInputs() : m_backend.ListOutputs();
    for (const AudioDeviceInfo& info : m_deviceInfo) {
        const std::string& text = info.description.empty() ? info.name : info.description;
        m_devices->addItem(DevicePictureIcon(picture, true), QString::fromStdString(text));
    }
}

void CSoundCardPage::ShowCapabilities() {
    m_version->clear();
    for (QLabel* label : m_caps) {
        label->clear();
    }
    const int device = DeviceOfListEntry(m_devices->currentIndex());
    if (device == kNoSoundCard) {
        return;
    }
    if (m_kind == MIDI) {
        // voices and notes stay empty: neither the synthesizer nor a sequencer port tells them
        m_caps[0]->setText(
            LoadQString(device == kMapperDevice ? str::kMidiMapperSynthesizerType : str::kMidiPortType));
        return;
    }
    AudioDeviceCaps caps;
    const int number = device == kMapperDevice ? kMapperDevice : m_deviceInfo[std::size_t(device)].number;
    const bool known =
        m_kind == RECORD ? m_backend.QueryInputCaps(number, caps) : m_backend.QueryOutputCaps(number, caps);
    if (known) {
        ShowWaveCaps(caps, m_caps);
    }
}

void CSoundCardPage::Load(const Settings& settings) {
    const auto [port, buffer] = DeviceFieldsOf(settings, m_kind);
    Select(*port, buffer ? *buffer : 0);
    m_latency->setValue(settings.record.latencyMs);
}

void CSoundCardPage::Store(Settings& settings) const {
    int device = DeviceOfListEntry(m_devices->currentIndex());
    if (device >= 0) {
        device = m_deviceInfo[std::size_t(device)].number;
    }
    const auto [port, buffer] = DeviceFieldsOf(settings, m_kind);
    *port = device;
    if (buffer) {
        *buffer = BufferSizeOfEntry(m_buffers->currentIndex());
    }
    if (m_kind == RECORD) {
        settings.record.latencyMs = m_latency->value();
    }
}

void CSoundCardPage::Standard() {
    Select(kMapperDevice, PlayBackSettings{}.buffer);
    m_latency->setValue(kLatencyMsDefault);
}

void CSoundCardPage::Select(int device, int32_t buffer) {
    // the list position of the device the system numbers so (absent: beyond the list)
    int position = device;
    if (device >= 0) {
        position = int(m_deviceInfo.size());
        for (std::size_t i = 0; i < m_deviceInfo.size(); ++i) {
            if (m_deviceInfo[i].number == device) {
                position = int(i);
            }
        }
    }
    m_devices->setCurrentIndex(ListEntryOfDevice(position, int(m_deviceInfo.size())));
    m_buffers->setCurrentIndex(BufferEntryOfSize(buffer));
}

} // namespace ondrix
