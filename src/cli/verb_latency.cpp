// ondrix-cli latency: measures the round trip from the output to the input, the value of the record
// settings' latency compensation. It plays clicks the way the editor starts synchronous playback (the
// input opened paused, the playback started, then the input), records the input and finds the clicks.
#include "audio/audio_backends.h"
#include "audio/engine_waiter.h"
#include "cli_args.h"
#include "fileformat/wave_messages.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "store/sample_store.h"
#include "verb_registry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace ondrix::cli {

namespace {

constexpr const char* kUsage = "latency [--device N] [--buffer BYTES]";

constexpr uint32_t kRate = 44100;
constexpr uint32_t kClickFrames = 88;             // 2 ms at full scale
constexpr uint32_t kClickSpacing = kRate * 3 / 2; // longer than the largest latency, 1000 ms
constexpr uint32_t kFirstClick = kRate / 4;
constexpr int kClicks = 3;
constexpr int16_t kClickLevel = 30000;

/// Three clicks on both channels, 1.5 s apart, the first after 0.25 s.
std::vector<int16_t> ClickTrack() {
    std::vector<int16_t> samples(std::size_t(kFirstClick + kClicks * kClickSpacing) * 2, 0);
    for (int click = 0; click < kClicks; ++click) {
        const std::size_t first = kFirstClick + std::size_t(click) * kClickSpacing;
        std::fill_n(samples.begin() + std::ptrdiff_t(first * 2), kClickFrames * 2, kClickLevel);
    }
    return samples;
}

/// The frame where a click starts in frames from..to-1 of a stereo recording: the first frame louder
/// than the threshold; -1 when there is none.
int64_t FindClick(const std::vector<int16_t>& take, std::size_t from, std::size_t to, int threshold) {
    to = std::min(to, take.size() / 2);
    for (std::size_t f = from; f < to; ++f) {
        if (std::abs(int(take[2 * f])) > threshold || std::abs(int(take[2 * f + 1])) > threshold) {
            return int64_t(f);
        }
    }
    return -1;
}

/// The round trip in frames: the median of the clicks found after the noise before the first one.
int64_t RoundTripFrames(const std::vector<int16_t>& take) {
    int noise = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(take.size(), kFirstClick * 2); ++i) {
        noise = std::max(noise, std::abs(int(take[i])));
    }
    const int threshold = std::clamp(noise * 2, 4000, 20000);
    std::vector<int64_t> offsets;
    for (int click = 0; click < kClicks; ++click) {
        const std::size_t played = kFirstClick + std::size_t(click) * kClickSpacing;
        const int64_t found = FindClick(take, played, played + kClickSpacing, threshold);
        if (found >= 0) {
            offsets.push_back(found - int64_t(played));
        }
    }
    if (offsets.size() < 2) {
        return -1; // one stray noise is no measurement
    }
    std::sort(offsets.begin(), offsets.end());
    return offsets[offsets.size() / 2];
}

std::string Filled(uint32_t id, const std::vector<std::string>& values) {
    std::string text = LoadString(id);
    for (const std::string& value : values) {
        const std::size_t at = text.find("%s");
        if (at != std::string::npos) {
            text.replace(at, 2, value);
        }
    }
    return text;
}

int Run(const std::vector<std::string>& args) {
    try {
        const CArgs cli(args, {}, {"device", "buffer"});
        cli.ExpectOperands(0, 0);
        int device = -1;
        bool simulated = false;
        if (const auto text = cli.Value("device");
            text && (!ParseAudioDevice(*text, device, simulated) || simulated)) {
            throw UsageError(FormatStringText(str::kLatencyDeviceText, *text));
        }
        const uint32_t buffer =
            cli.Value("buffer") ? uint32_t(ParseNumber(*cli.Value("buffer"), 1024, 16u << 20)) : 16384;

        CSampleStore clicks;
        std::vector<int16_t> track = ClickTrack();
        if (!clicks.Create(STORE_MEMORY, std::string(), 16, 2, kRate, true) ||
            !clicks.AppendData(track.data(), uint32_t(track.size() * sizeof(int16_t)))) {
            return kExitFailed;
        }
        CSampleStore take;
        if (!take.Create(STORE_MEMORY, std::string(), 16, 2, kRate, true)) {
            return kExitFailed;
        }
        CEngineWaiter waiter;
        if (!take.StartRecording(device, buffer, &waiter)) {
            return kExitFailed; // the device's message has been shown
        }
        if (!clicks.StartPlayback(device, buffer, -1, -1, false, &waiter)) {
            take.StopAudio();
            waiter.WaitFor(WM_RECORDSTOPPED);
            return kExitFailed;
        }
        take.TogglePause();
        const uint32_t wanted = clicks.GetFrameCount() + kRate; // the last click and a second of latency
        waiter.Follow(take, WM_RECORDSTOPPED, std::chrono::milliseconds(20),
                      [&] { return take.GetAudioPosition() < wanted; });
        clicks.StopAudio();
        waiter.WaitFor(WM_PLAYSTOPPED);

        std::vector<int16_t> recorded(take.GetDataSize() / sizeof(int16_t));
        recorded.resize(take.ReadData(0, recorded.data(), uint32_t(recorded.size() * sizeof(int16_t))) /
                        sizeof(int16_t));
        const int64_t frames = RoundTripFrames(recorded);
        if (frames < 0) {
            PrintError(LoadString(str::kLatencyNoClickText));
            return kExitFailed;
        }
        const int64_t ms = (frames * 1000 + kRate / 2) / kRate;
        std::printf("%s\n%s\n",
                    Filled(str::kLatencyResultText, {std::to_string(ms), std::to_string(frames)}).c_str(),
                    LoadString(str::kLatencyHintText).c_str());
        return kExitOk;
    } catch (const UsageError& error) {
        return ReportUsage(error, kUsage);
    }
}

const VerbRegistration kRegistration{{"latency", kUsage, &Run}};

} // namespace

} // namespace ondrix::cli
