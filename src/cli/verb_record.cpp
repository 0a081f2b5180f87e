// ondrix-cli record: records from a sound device into a WAVE file.
#include "audio/audio_backends.h"
#include "audio/engine_waiter.h"
#include "audio/signal_source.h"
#include "audio/sim_session.h"
#include "cli_args.h"
#include "cli_io.h"
#include "fileformat/wave_messages.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "terminal_progress.h"
#include "verb_registry.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace ondrix::cli {

namespace {

constexpr const char* kUsage =
    "record OUT --seconds S [--device N|sim [--input IN.wav] [--fast]] [--rate R] [--bits 8|16] [--stereo] "
    "[--buffer BYTES] [--raw-out]";

constexpr uint32_t kDefaultBuffer = 65536;

double ParseSeconds(const std::string& text) {
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(seconds > 0.0) || seconds > 86400.0 * 2) {
        throw UsageError(FormatStringText(str::kSecondsTakesANumberOf, text));
    }
    return seconds;
}

bool Interrupted() {
    const auto* terminal = dynamic_cast<const CTerminalProgress*>(FindProgressDisplay(kStatusBarWindowId));
    return terminal && terminal->WasInterrupted();
}

/// What a simulated input records: the input file rendered to the recording's format, or a sine wave.
CSimAudioBackend::SourceFactory SimulatedSource(const std::optional<std::string>& input, bool& ok) {
    ok = true;
    if (!input) {
        return nullptr;
    }
    auto file = std::make_shared<CSampleStore>();
    if (!LoadInput(*file, *input, InputOptions{})) {
        ok = false;
        return nullptr;
    }
    return [file](const AudioFormat& format) -> std::unique_ptr<ISignalSource> {
        CSampleStore rendered;
        std::vector<uint8_t> data;
        if (rendered.MixDown(STORE_MEMORY, std::string(), file.get(), -1, -1, format.rate,
                             format.bitsPerSample, format.channels)) {
            data.resize(rendered.GetDataSize());
            data.resize(rendered.ReadData(0, data.data(), uint32_t(data.size())));
        }
        return std::make_unique<CPcmSource>(std::move(data), format, false);
    };
}

int Run(const std::vector<std::string>& args) {
    try {
        const CArgs cli(args, {"stereo", "fast", "raw-out"},
                        {"seconds", "device", "input", "rate", "bits", "buffer"});
        cli.ExpectOperands(1, 1);
        if (!cli.Value("seconds")) {
            throw UsageError(LoadString(str::kRecordNeedsSeconds));
        }
        const double seconds = ParseSeconds(*cli.Value("seconds"));
        int device = -1;
        bool simulated = false;
        if (const auto text = cli.Value("device"); text && !ParseAudioDevice(*text, device, simulated)) {
            throw UsageError(FormatStringText(str::kDeviceTakesADeviceNumber, *text));
        }
        if (!simulated && (cli.Has("input") || cli.Has("fast"))) {
            throw UsageError(LoadString(str::kCaptureInputAndFastNeed));
        }
        const uint32_t rate =
            uint32_t(cli.Value("rate") ? ParseNumber(*cli.Value("rate"), 4000, 99999) : 44100);
        const std::string bitsText = cli.Value("bits").value_or("16");
        if (bitsText != "8" && bitsText != "16") {
            throw UsageError(FormatStringText(str::kBitsTakes8Or16, bitsText));
        }
        const uint32_t bits = bitsText == "8" ? 8 : 16;
        const uint32_t buffer = cli.Value("buffer")
                                    ? uint32_t(ParseNumber(*cli.Value("buffer"), 1024, 16u << 20))
                                    : kDefaultBuffer;
        const bool stereo = cli.Has("stereo");
        const uint64_t wanted = uint64_t(std::llround(seconds * rate));

        std::optional<CSimSession> sim;
        if (simulated) {
            bool ok = true;
            auto source = SimulatedSource(cli.Value("input"), ok);
            if (!ok) {
                return kExitFailed;
            }
            sim.emplace(cli.Has("fast") ? CSimClock::Mode::Unpaced : CSimClock::Mode::RealTime, false);
            if (source) {
                sim->backend.SetInputSource(std::move(source));
            }
        }
        CSampleStore recording;
        if (!recording.Create(STORE_TEMPFILE, std::string(), bits, stereo ? 2 : 1, rate, stereo)) {
            return kExitFailed;
        }
        CEngineWaiter waiter;
        if (!recording.StartRecording(device, buffer, &waiter)) {
            return kExitFailed; // the device's message has been shown
        }
        recording.TogglePause();
        const auto interval = std::chrono::milliseconds(cli.Has("fast") ? 5 : 100);
        const AudioMessage stop = waiter.Follow(recording, WM_RECORDSTOPPED, interval, [&] {
            const uint32_t frames = recording.GetAudioPosition();
            uint32_t left = 0;
            uint32_t right = 0;
            recording.GetAudioLevels(left, right);
            if (::isatty(STDERR_FILENO)) {
                char time[32];
                std::snprintf(time, sizeof time, "%.1f s", double(frames) / rate);
                std::fprintf(stderr, "\r%s  %s  %s\033[K", FormatStringText(str::kRecorded, time).c_str(),
                             FormatString(str::kLeft, int(left)).c_str(),
                             FormatString(str::kRight, int(right)).c_str());
            }
            return frames < wanted && !Interrupted();
        });
        if (::isatty(STDERR_FILENO)) {
            std::fprintf(stderr, "\r\033[K");
        }
        if (stop.wParam != 0) {
            PrintError(stop.errorText); // what was recorded before the fault is still saved
        }
        const uint64_t frames = recording.GetFrameCount();
        if (frames > wanted && !recording.DeleteBlock(nullptr, int64_t(wanted), int64_t(frames) - 1)) {
            return kExitFailed;
        }
        if (!SaveOutput(recording, cli.Operands()[0], cli.Has("raw-out"))) {
            return kExitFailed;
        }
        return stop.wParam != 0 ? kExitFailed : kExitOk;
    } catch (const UsageError& error) {
        return ReportUsage(error, kUsage);
    }
}

const VerbRegistration kRegistration{{"record", kUsage, &Run}};

} // namespace

} // namespace ondrix::cli
