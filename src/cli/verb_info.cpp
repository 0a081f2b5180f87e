// ondrix-cli info: the format, mixer, track names and texts of a sound file.
#include "cli_args.h"
#include "cli_io.h"
#include "cli_json.h"
#include "fileformat/wave_messages.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "verb_registry.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <utility>

namespace ondrix::cli {

namespace {

constexpr const char* kUsage =
    "info FILE [--json] [--raw-in RATE,TRACKS,BITS,OFFSET] [--storage inplace|temp|memory]";

/// h:mm:ss.mmm
std::string Duration(int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%" PRId64 ":%02d:%02d.%03d", ms / 3600000, int(ms / 60000 % 60),
                  int(ms / 1000 % 60), int(ms % 1000));
    return text;
}

std::string Count(uint32_t id, int64_t value) {
    return FormatPattern(LoadString(id), value);
}

void PrintText(const CSampleStore& store, const std::string& path) {
    const MixerBlock& mixer = store.Mixer();
    std::vector<std::pair<std::string, std::string>> lines = {
        {LoadString(str::kFile), path},
        {LoadString(str::kBitsPerSample), std::to_string(store.GetBitsPerSample())},
        {LoadString(str::kTracks), std::to_string(store.GetTrackCount())},
        {LoadString(str::kSamplingRate), Count(str::kHz, store.GetSampleRate())},
        {LoadString(str::kFrames32134), std::to_string(store.GetFrameCount())},
        {LoadString(str::kDataSize), Count(str::kBytes, store.GetDataSize())},
        {LoadString(str::kDuration), Duration(store.FramesToMs(store.GetFrameCount()))},
        {LoadString(str::kStereoPlayback), LoadString(store.GetStereo() ? str::kYes : str::kNo)},
        {LoadString(str::kMainVolumeLeft), std::to_string(mixer.mainLeft)},
        {LoadString(str::kMainVolumeRight), std::to_string(mixer.mainRight)},
    };
    for (uint32_t t = 0; t < store.GetTrackCount(); ++t) {
        std::string value =
            Count(str::kVolume, mixer.volume[t]) + ", " + Count(str::kBalance, mixer.balance[t]);
        if (!store.m_trackNames[t].empty()) {
            value += ", " + CJsonWriter::Quote(store.m_trackNames[t]);
        }
        lines.emplace_back(Count(str::kTrack, t), value);
    }
    for (int i = 0; i < kInfoTextCount; ++i) {
        if (!store.m_infoTexts[std::size_t(i)].empty()) {
            lines.emplace_back(FormatStringText(str::kInfo, kInfoIds[i]), store.m_infoTexts[std::size_t(i)]);
        }
    }
    std::size_t width = 0;
    for (const auto& line : lines) {
        width = std::max(width, line.first.size());
    }
    for (const auto& [label, value] : lines) {
        std::printf("%s:%*s %s\n", label.c_str(), int(width - label.size()), "", value.c_str());
    }
}

void PrintJson(const CSampleStore& store) {
    const MixerBlock& mixer = store.Mixer();
    const uint32_t tracks = store.GetTrackCount();
    CJsonWriter json;
    json.BeginObject();
    json.Key("bits").Number(store.GetBitsPerSample());
    json.Key("tracks").Number(tracks);
    json.Key("rate").Number(store.GetSampleRate());
    json.Key("frames").Number(store.GetFrameCount());
    json.Key("data_size").Number(store.GetDataSize());
    json.Key("stereo").Bool(store.GetStereo());
    json.Key("main_volume").BeginArray().Number(mixer.mainLeft).Number(mixer.mainRight).EndArray();
    json.Key("volume").BeginArray();
    for (uint32_t t = 0; t < tracks; ++t) {
        json.Number(mixer.volume[t]);
    }
    json.EndArray().Key("balance").BeginArray();
    for (uint32_t t = 0; t < tracks; ++t) {
        json.Number(mixer.balance[t]);
    }
    json.EndArray().Key("names").BeginArray();
    for (uint32_t t = 0; t < tracks; ++t) {
        json.String(store.m_trackNames[t]);
    }
    json.EndArray().Key("info").BeginObject();
    for (int i = 0; i < kInfoTextCount; ++i) {
        if (!store.m_infoTexts[std::size_t(i)].empty()) {
            json.Key(kInfoIds[i]).String(store.m_infoTexts[std::size_t(i)]);
        }
    }
    json.EndObject().EndObject();
    std::printf("%s\n", json.Text().c_str());
}

int Run(const std::vector<std::string>& args) {
    try {
        const CArgs cli(args, {"json"}, {kRawInOption, kStorageOption});
        cli.ExpectOperands(1, 1);
        const InputOptions input = ParseInputOptions(cli, STORE_INPLACE);
        CSampleStore store;
        if (!LoadInput(store, cli.Operands()[0], input)) {
            return kExitFailed;
        }
        if (cli.Has("json")) {
            PrintJson(store);
        } else {
            PrintText(store, cli.Operands()[0]);
        }
        return kExitOk;
    } catch (const UsageError& error) {
        return ReportUsage(error, kUsage);
    }
}

const VerbRegistration kRegistration{{"info", kUsage, &Run}};

} // namespace

} // namespace ondrix::cli
