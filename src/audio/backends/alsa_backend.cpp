// The ALSA sound system: device -1 is ALSA's "default" PCM (which reaches PipeWire or PulseAudio through
// their ALSA plugins); the numbered devices are the PCMs of ALSA's device hints.
#include "audio/audio_backends.h"
#include "audio/backends/alsa_stream.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace ondrix {

namespace {

std::string HintValue(void* hint, const char* id) {
    char* value = snd_device_name_get_hint(hint, id);
    std::string text = value ? value : "";
    std::free(value);
    return text;
}

/// The PCMs of ALSA's device hints for one direction, in ALSA's order, without "default" (device -1)
/// and "null" (which takes data without any pacing).
std::vector<AudioDeviceInfo> HintedDevices(bool output) {
    std::vector<AudioDeviceInfo> devices;
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0 || !hints) {
        return devices;
    }
    for (void** hint = hints; *hint; ++hint) {
        const std::string name = HintValue(*hint, "NAME");
        const std::string direction = HintValue(*hint, "IOID");
        if (name.empty() || name == "default" || name == "null") {
            continue;
        }
        if (!direction.empty() && direction != (output ? "Output" : "Input")) {
            continue;
        }
        std::string description = HintValue(*hint, "DESC");
        std::replace(description.begin(), description.end(), '\n', ' ');
        devices.push_back({int(devices.size()), name, description});
    }
    snd_device_name_free_hint(hints);
    return devices;
}

bool QueryCaps(const std::string& name, bool output, AudioDeviceCaps& caps) {
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, name.c_str(), output ? SND_PCM_STREAM_PLAYBACK : SND_PCM_STREAM_CAPTURE,
                     SND_PCM_NONBLOCK) < 0) {
        return false;
    }
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    bool ok = snd_pcm_hw_params_any(pcm, hw) >= 0;
    if (ok) {
        caps.highestRate = 11025;
        for (unsigned rate : {44100u, 22050u}) {
            if (snd_pcm_hw_params_test_rate(pcm, hw, rate, 0) == 0) {
                caps.highestRate = rate;
                break;
            }
        }
        caps.highestBits = snd_pcm_hw_params_test_format(pcm, hw, SND_PCM_FORMAT_S16_LE) == 0 ? 16 : 8;
        unsigned channels = 1;
        snd_pcm_hw_params_get_channels_max(hw, &channels);
        caps.channels = std::clamp(channels, 1u, 2u);
    }
    snd_pcm_close(pcm);
    return ok;
}

class CAlsaBackend final : public IAudioBackend {
public:
    std::string Name() const override { return "alsa"; }

    bool IsAvailable() override {
        std::lock_guard lock(m_mutex);
        if (!m_available) {
            snd_pcm_t* pcm = nullptr;
            if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) == 0) {
                snd_pcm_close(pcm);
                m_available = true;
            }
        }
        return m_available;
    }

    std::vector<AudioDeviceInfo> ListOutputs() override { return HintedDevices(true); }
    std::vector<AudioDeviceInfo> ListInputs() override { return HintedDevices(false); }

    bool QueryOutputCaps(int device, AudioDeviceCaps& caps) override {
        std::string name;
        return NameOf(device, true, name) == DeviceResult::Ok && QueryCaps(name, true, caps);
    }

    bool QueryInputCaps(int device, AudioDeviceCaps& caps) override {
        std::string name;
        return NameOf(device, false, name) == DeviceResult::Ok && QueryCaps(name, false, caps);
    }

    DeviceResult OpenOutput(int device, const AudioFormat& format, IDeviceCallback& callback,
                            std::unique_ptr<IAudioOutput>& out) override {
        std::unique_ptr<CAlsaStream> stream;
        const DeviceResult result = OpenStream(device, true, format, callback, stream);
        if (result == DeviceResult::Ok) {
            out = std::make_unique<CStreamOutput<CAlsaStream>>(std::move(stream));
        }
        return result;
    }

    DeviceResult OpenInput(int device, const AudioFormat& format, IDeviceCallback& callback,
                           std::unique_ptr<IAudioInput>& out) override {
        std::unique_ptr<CAlsaStream> stream;
        const DeviceResult result = OpenStream(device, false, format, callback, stream);
        if (result == DeviceResult::Ok) {
            out = std::make_unique<CStreamInput<CAlsaStream>>(std::move(stream));
        }
        return result;
    }

private:
    DeviceResult NameOf(int device, bool output, std::string& name) {
        if (device == -1) {
            name = "default";
            return DeviceResult::Ok;
        }
        const auto devices = HintedDevices(output);
        if (device < 0 || std::size_t(device) >= devices.size()) {
            return DeviceResult::BadDevice;
        }
        name = devices[std::size_t(device)].name;
        return DeviceResult::Ok;
    }

    DeviceResult OpenStream(int device, bool output, const AudioFormat& format, IDeviceCallback& callback,
                            std::unique_ptr<CAlsaStream>& stream) {
        std::string name;
        const DeviceResult found = NameOf(device, output, name);
        if (found != DeviceResult::Ok) {
            return found;
        }
        return CAlsaStream::Open(name, output, device == -1, format, callback, stream);
    }

    std::mutex m_mutex;
    bool m_available = false;
};

/// ALSA reports every failed open on stderr; the engine reports them itself, in the user's terms.
extern "C" void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

/// Registers the backend when the program starts.
struct Registration {
    Registration() {
        snd_lib_error_set_handler(&IgnoreAlsaError);
        RegisterAudioBackend(&backend, 10);
    }
    CAlsaBackend backend;
};
Registration g_registration;

} // namespace

} // namespace ondrix
