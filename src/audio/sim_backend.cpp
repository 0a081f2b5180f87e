#include "audio/sim_backend.h"

#include "audio/sim_stream.h"

#include <utility>

namespace ondrix {

CSimAudioBackend::CSimAudioBackend(CSimClock& clock) : m_clock(clock) {
    m_sourceFactory = [](const AudioFormat& format) {
        return std::unique_ptr<ISignalSource>(CGeneratorSource::Sine(format, 440.0, 16384));
    };
}

CSimAudioBackend::~CSimAudioBackend() = default;

namespace {
std::vector<AudioDeviceInfo> SimDevices(int count, const char* kind) {
    std::vector<AudioDeviceInfo> devices;
    for (int i = 0; i < count; ++i) {
        devices.push_back({i, "sim-" + std::string(kind) + "-" + std::to_string(i),
                           "Simulated " + std::string(kind) + " device " + std::to_string(i)});
    }
    return devices;
}
} // namespace

std::vector<AudioDeviceInfo> CSimAudioBackend::ListOutputs() {
    std::lock_guard lock(m_mutex);
    return SimDevices(m_outputs, "output");
}

std::vector<AudioDeviceInfo> CSimAudioBackend::ListInputs() {
    std::lock_guard lock(m_mutex);
    return SimDevices(m_inputs, "input");
}

bool CSimAudioBackend::QueryOutputCaps(int device, AudioDeviceCaps& caps) {
    std::lock_guard lock(m_mutex);
    if (device < -1 || device >= m_outputs) {
        return false;
    }
    caps = {44100, 16, 2};
    return true;
}

bool CSimAudioBackend::QueryInputCaps(int device, AudioDeviceCaps& caps) {
    std::lock_guard lock(m_mutex);
    if (device < -1 || device >= m_inputs) {
        return false;
    }
    caps = {44100, 16, 2};
    return true;
}

DeviceResult CSimAudioBackend::CheckOpen(int device, int count, const AudioFormat& format) {
    if (m_failNextOpen != DeviceResult::Ok) {
        const DeviceResult result = m_failNextOpen;
        m_failNextOpen = DeviceResult::Ok;
        return result;
    }
    if (device < -1 || device >= count || (device == -1 && count == 0)) {
        return DeviceResult::BadDevice;
    }
    if (!format.IsPlausible()) {
        return DeviceResult::BadFormat;
    }
    return DeviceResult::Ok;
}

std::unique_ptr<CSimStream> CSimAudioBackend::MakeStream(bool output, const AudioFormat& format,
                                                         IDeviceCallback& callback) {
    CSimStream::Setup setup;
    setup.direction = output ? CSimStream::Direction::Output : CSimStream::Direction::Input;
    setup.format = format;
    setup.clock = &m_clock;
    setup.callback = &callback;
    setup.failAfterBytes = m_failAfter;
    if (output && m_capture) {
        std::lock_guard lock(m_captureMutex);
        const std::size_t ordinal = m_outputCaptures.size();
        m_outputCaptures.emplace_back();
        setup.sink = [this, ordinal](const uint8_t* bytes, std::size_t count) {
            std::lock_guard lock(m_captureMutex);
            m_captured.insert(m_captured.end(), bytes, bytes + count);
            m_outputCaptures[ordinal].insert(m_outputCaptures[ordinal].end(), bytes, bytes + count);
        };
    } else if (output) {
        std::lock_guard lock(m_captureMutex);
        m_outputCaptures.emplace_back();
    }
    if (output && m_capture) {
        setup.onQueue = [this](uint32_t length) {
            std::lock_guard lock(m_captureMutex);
            m_queuedLengths.push_back(length);
        };
    }
    if (output) {
        setup.onReset = [this] { m_outputResets.fetch_add(1); };
    }
    if (!output && m_sourceFactory) {
        setup.source = m_sourceFactory(format);
    }
    setup.onClose = [this, output](CSimStream* closed) {
        std::lock_guard lock(m_mutex);
        if (output) {
            std::erase(m_openOutputs, closed);
        } else if (m_input == closed) {
            m_input = nullptr;
        }
    };
    auto stream = std::make_unique<CSimStream>(std::move(setup));
    if (output) {
        m_openOutputs.push_back(stream.get());
    } else {
        m_input = stream.get();
    }
    ++m_openCount;
    m_lastFormat = format;
    return stream;
}

DeviceResult CSimAudioBackend::OpenOutput(int device, const AudioFormat& format, IDeviceCallback& callback,
                                          std::unique_ptr<IAudioOutput>& out) {
    std::lock_guard lock(m_mutex);
    const DeviceResult result = CheckOpen(device, m_outputs, format);
    if (result != DeviceResult::Ok) {
        return result;
    }
    out = std::make_unique<CStreamOutput<CSimStream>>(MakeStream(true, format, callback));
    return DeviceResult::Ok;
}

DeviceResult CSimAudioBackend::OpenInput(int device, const AudioFormat& format, IDeviceCallback& callback,
                                         std::unique_ptr<IAudioInput>& out) {
    std::lock_guard lock(m_mutex);
    const DeviceResult result = CheckOpen(device, m_inputs, format);
    if (result != DeviceResult::Ok) {
        return result;
    }
    out = std::make_unique<CStreamInput<CSimStream>>(MakeStream(false, format, callback));
    return DeviceResult::Ok;
}

void CSimAudioBackend::SetDeviceCounts(int outputs, int inputs) {
    std::lock_guard lock(m_mutex);
    m_outputs = outputs;
    m_inputs = inputs;
}

void CSimAudioBackend::SetCapture(bool capture) {
    std::lock_guard lock(m_mutex);
    m_capture = capture;
}

void CSimAudioBackend::SetInputSource(SourceFactory factory) {
    std::lock_guard lock(m_mutex);
    m_sourceFactory = std::move(factory);
}

void CSimAudioBackend::FailNextOpen(DeviceResult result) {
    std::lock_guard lock(m_mutex);
    m_failNextOpen = result;
}

void CSimAudioBackend::FailAfterBytes(uint64_t bytes) {
    std::lock_guard lock(m_mutex);
    m_failAfter = bytes;
}

std::vector<uint8_t> CSimAudioBackend::TakeCapture() {
    std::lock_guard lock(m_captureMutex);
    return std::exchange(m_captured, {});
}

std::vector<uint8_t> CSimAudioBackend::TakeOutputCapture(std::size_t ordinal) {
    std::lock_guard lock(m_captureMutex);
    return ordinal < m_outputCaptures.size() ? std::exchange(m_outputCaptures[ordinal], {})
                                             : std::vector<uint8_t>();
}

std::size_t CSimAudioBackend::OutputsOpened() {
    std::lock_guard lock(m_captureMutex);
    return m_outputCaptures.size();
}

std::size_t CSimAudioBackend::OpenOutputCount() {
    std::lock_guard lock(m_mutex);
    return m_openOutputs.size();
}

std::vector<uint32_t> CSimAudioBackend::TakeQueuedLengths() {
    std::lock_guard lock(m_captureMutex);
    return std::exchange(m_queuedLengths, {});
}

AudioFormat CSimAudioBackend::LastFormat() {
    std::lock_guard lock(m_mutex);
    return m_lastFormat;
}

int CSimAudioBackend::OpenCount() {
    std::lock_guard lock(m_mutex);
    return m_openCount;
}

bool CSimAudioBackend::IsOutputOpen() {
    std::lock_guard lock(m_mutex);
    return !m_openOutputs.empty();
}

bool CSimAudioBackend::IsInputOpen() {
    std::lock_guard lock(m_mutex);
    return m_input != nullptr;
}

std::size_t CSimAudioBackend::OutputQueued() {
    std::lock_guard lock(m_mutex);
    return m_openOutputs.empty() ? 0 : m_openOutputs.front()->QueuedCount();
}

std::size_t CSimAudioBackend::InputQueued() {
    std::lock_guard lock(m_mutex);
    return m_input ? m_input->QueuedCount() : 0;
}

bool CSimAudioBackend::IsInputRunning() {
    std::lock_guard lock(m_mutex);
    return m_input && m_input->IsRunning();
}

bool CSimAudioBackend::IsOutputRunning() {
    std::lock_guard lock(m_mutex);
    return !m_openOutputs.empty() && m_openOutputs.front()->IsRunning();
}

} // namespace ondrix
