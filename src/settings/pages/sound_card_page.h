#pragma once

#include "audio/audio_device.h"
#include "settings/pages/settings_page.h"

#include <vector>

class QComboBox;
class QLabel;
class QSpinBox;

namespace ondrix {

/// Pages 3 to 6: the device (and on the wave pages the buffer size) for playback, recording,
/// synchronous playback while recording, and the MIDI output. Entry 0 of the device list is "No Sound
/// Card", entry 1 the mapper, entry k the device k - 2 of the sound system's list.
class CSoundCardPage final : public CSettingsPage {
    Q_OBJECT
public:
    /// What a page chooses.
    enum DeviceKind { PLAYBACK, RECORD, SYNCHRO, MIDI };

    /// A page of a kind, listing the devices of backend.
    CSoundCardPage(DeviceKind kind, IAudioBackend& backend, QWidget* parent = nullptr);

    void Load(const Settings& settings) override;
    void Store(Settings& settings) const override;
    /// Selects the mapper and 64 kByte (the defaults of every device page).
    void Standard() override;

    /// The page's title: "Playback", "Record", "Synchr. Device" or "Midi".
    QString Title() const;

    // Controls, for tests.
    QComboBox* DeviceList() const { return m_devices; }
    QComboBox* BufferList() const { return m_buffers; }
    QLabel* DriverVersion() const { return m_version; }
    /// The record page's latency compensation in milliseconds (hidden on the other pages).
    QSpinBox* LatencyField() const { return m_latency; }
    /// The three capability read-outs (rate, bits, channels; or synthesizer type, voices, notes).
    QLabel* Capability(int index) const { return m_caps[index]; }

private:
    /// Fills the device list: no device, the mapper, then the system's devices.
    void FillDevices();
    /// Shows the driver version and the capabilities of the selected device.
    void ShowCapabilities();
    /// The stored device and buffer size of the page's kind.
    void Select(int device, int32_t buffer);

    DeviceKind m_kind;
    IAudioBackend& m_backend;
    std::vector<AudioDeviceInfo> m_deviceInfo;
    QComboBox* m_devices;
    QLabel* m_bufferLabel;
    QComboBox* m_buffers;
    QLabel* m_version;
    QLabel* m_caps[3];
    QSpinBox* m_latency;
};

} // namespace ondrix
