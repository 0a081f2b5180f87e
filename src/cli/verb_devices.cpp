// ondrix-cli devices: the sound devices for playback and recording, with what they can do.
#include "audio/audio_backends.h"
#include "cli_args.h"
#include "fileformat/wave_messages.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "verb_registry.h"

#include <cstdio>

namespace ondrix::cli {

namespace {

constexpr const char* kUsage = "devices";

/// "44100 Hz, 16 Bit, 2 channels", or nothing when the device cannot be asked.
std::string Capabilities(IAudioBackend& backend, int device, bool output) {
    AudioDeviceCaps caps;
    if (!(output ? backend.QueryOutputCaps(device, caps) : backend.QueryInputCaps(device, caps))) {
        return std::string();
    }
    return FormatString(str::kHz, int(caps.highestRate)) + ", " +
           FormatString(str::kBit, int(caps.highestBits)) + ", " +
           FormatString(str::kChannels, int(caps.channels));
}

void PrintDevices(IAudioBackend& backend, bool output) {
    std::printf("%s\n",
                FormatStringText(output ? str::kOutputDevices : str::kInputDevices, backend.Name()).c_str());
    std::printf("  %3d  %s  %s\n", -1, LoadString(str::kPreferredDeviceWaveMapper).c_str(),
                Capabilities(backend, -1, output).c_str());
    const auto devices = output ? backend.ListOutputs() : backend.ListInputs();
    for (const AudioDeviceInfo& device : devices) {
        std::printf("  %3d  %s  %s  %s\n", device.number, device.name.c_str(), device.description.c_str(),
                    Capabilities(backend, device.number, output).c_str());
    }
    if (devices.empty()) {
        std::printf("       %s\n", LoadString(str::kNone32331).c_str());
    }
}

int Run(const std::vector<std::string>& args) {
    try {
        const CArgs cli(args, {}, {});
        cli.ExpectOperands(0, 0);
        IAudioBackend& backend = CurrentAudioBackend();
        PrintDevices(backend, true);
        PrintDevices(backend, false);
        return kExitOk;
    } catch (const UsageError& error) {
        return ReportUsage(error, kUsage);
    }
}

const VerbRegistration kRegistration{{"devices", kUsage, &Run}};

} // namespace

} // namespace ondrix::cli
