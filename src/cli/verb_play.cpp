// ondrix-cli play: plays a sound file through a sound device, showing the position and the levels.
#include "audio/audio_backends.h"
#include "audio/engine_waiter.h"
#include "audio/sim_session.h"
#include "cli_args.h"
#include "cli_io.h"
#include "fileformat/wave_messages.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "terminal_progress.h"
#include "verb_registry.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>

namespace ondrix::cli {

namespace {

constexpr const char* kUsage =
    "play FILE [--from F] [--to F] [--loop] [--mute TRACKS] [--device N|sim [--capture OUT.wav] [--fast]] "
    "[--buffer BYTES] [--raw-in RATE,TRACKS,BITS,OFFSET]";

constexpr uint32_t kDefaultBuffer = 65536;

/// Whether the user pressed Ctrl-C.
bool Interrupted() {
    const auto* terminal = dynamic_cast<const CTerminalProgress*>(FindProgressDisplay(kStatusBarWindowId));
    return terminal && terminal->WasInterrupted();
}

/// The line that shows where a run is, rewritten in place on a terminal.
void ShowStatus(const std::string& where, uint32_t left, uint32_t right) {
    if (::isatty(STDERR_FILENO)) {
        std::fprintf(stderr, "\r%s  %s  %s\033[K", where.c_str(), FormatString(str::kLeft, int(left)).c_str(),
                     FormatString(str::kRight, int(right)).c_str());
        std::fflush(stderr);
    }
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", seconds);
    return text;
}

/// Writes the bytes the simulated device played as a WAVE file of the device's format.
bool WriteCapture(CSimAudioBackend& backend, const std::string& path) {
    const AudioFormat format = backend.LastFormat();
    const std::vector<uint8_t> played = backend.TakeCapture();
    CSampleStore capture;
    return capture.Create(STORE_TEMPFILE, std::string(), format.bitsPerSample, format.channels, format.rate,
                          format.channels == 2) &&
           (played.empty() || capture.AppendData(played.data(), uint32_t(played.size()))) &&
           SaveOutput(capture, path, false);
}

int Run(const std::vector<std::string>& args) {
    try {
        const CArgs cli(args, {"loop", "fast"},
                        {"from", "to", "mute", "device", "capture", "buffer", kRawInOption});
        cli.ExpectOperands(1, 1);
        int device = -1;
        bool simulated = false;
        if (const auto text = cli.Value("device"); text && !ParseAudioDevice(*text, device, simulated)) {
            throw UsageError(FormatStringText(str::kDeviceTakesADeviceNumber, *text));
        }
        if (!simulated && (cli.Has("capture") || cli.Has("fast"))) {
            throw UsageError(LoadString(str::kCaptureInputAndFastNeed));
        }
        if (cli.Has("loop") && cli.Has("fast")) {
            throw UsageError(LoadString(str::kLoopAndFastCannotBe));
        }
        const std::string fromText = cli.Value("from").value_or("0");
        const int64_t from = fromText == "end" ? std::numeric_limits<uint32_t>::max() : ParseFrame(fromText);
        const int64_t to = cli.Value("to") ? ParseFrame(*cli.Value("to")) : -1;
        const uint32_t buffer = cli.Value("buffer")
                                    ? uint32_t(ParseNumber(*cli.Value("buffer"), 1024, 16u << 20))
                                    : kDefaultBuffer;
        CSampleStore sound;
        if (!LoadInput(sound, cli.Operands()[0], ParseInputOptions(cli, STORE_INPLACE))) {
            return kExitFailed;
        }
        if (const auto mute = cli.Value("mute")) {
            const TrackMask mask = ParseTrackList(*mute, sound.GetTrackCount());
            for (uint32_t t = 0; t < sound.GetTrackCount(); ++t) {
                sound.SetPlayOff(int(t), mask[t] != 0);
            }
        }
        const int64_t frames = sound.GetFrameCount();
        if (std::min(from, frames) >= (to < 0 ? frames : std::min(to, frames))) {
            PrintError(LoadString(str::kThereIsNothingToPlay));
            return kExitFailed;
        }
        std::optional<CSimSession> sim;
        if (simulated) {
            sim.emplace(cli.Has("fast") ? CSimClock::Mode::Unpaced : CSimClock::Mode::RealTime,
                        cli.Has("capture"));
        }
        CEngineWaiter waiter;
        if (!sound.StartPlayback(device, buffer, from, to, cli.Has("loop"), &waiter)) {
            return kExitFailed; // the device's message has been shown
        }
        const double rate = double(sound.GetSampleRate());
        const AudioMessage stop = waiter.Follow(sound, WM_PLAYSTOPPED, std::chrono::milliseconds(100), [&] {
            uint32_t left = 0;
            uint32_t right = 0;
            sound.GetAudioLevels(left, right);
            ShowStatus(FormatStringText(str::kPosition, Seconds(sound.GetAudioPosition() / rate)), left,
                       right);
            return !Interrupted();
        });
        if (::isatty(STDERR_FILENO)) {
            std::fprintf(stderr, "\r\033[K");
        }
        if (stop.wParam != 0) {
            PrintError(stop.errorText);
            return kExitFailed;
        }
        if (sim && cli.Value("capture") && !WriteCapture(sim->backend, *cli.Value("capture"))) {
            return kExitFailed;
        }
        return kExitOk;
    } catch (const UsageError& error) {
        return ReportUsage(error, kUsage);
    }
}

const VerbRegistration kRegistration{{"play", kUsage, &Run}};

} // namespace

} // namespace ondrix::cli
