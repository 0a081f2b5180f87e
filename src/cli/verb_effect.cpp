// ondrix-cli effect: runs a volume function, effect or tempo function over a block of a sound file.
#include "cli_args.h"
#include "cli_io.h"
#include "controls/format_args.h"
#include "effects/effect_arguments.h"
#include "effects/effect_runner.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "verb_registry.h"

#include <cstdint>

namespace ondrix::cli {

namespace {

// NAME is a function's name (volume, echo, stretch, ...); KEY=VALUE uses the settings' keys and meanings
// (Volume=120, EchoDelay=200, EnvPoints=pos:vol,..., Length=FRAMES for stretch), positions and periods in
// frames.
constexpr const char* kUsage = "effect IN OUT NAME [KEY=VALUE ...] [--block FIRST:LAST] [--tracks 0,2] "
                               "[--preset 0|1|2] [--raw-in RATE,TRACKS,BITS,OFFSET] [--raw-out]";

/// --preset: 0 .. the function's preset count - 1.
int ParsePreset(const CArgs& cli, EffectKind kind) {
    const auto text = cli.Value("preset");
    if (!text) {
        return -1;
    }
    const int count = PresetCount(kind);
    const std::string name(GetEffectInfo(kind).name);
    if (count == 0) {
        throw UsageError(FillStrings(LoadString(str::kMsgNoPreset), {name, *text}));
    }
    try {
        return int(ParseNumber(*text, 0, uint64_t(count - 1)));
    } catch (const UsageError&) {
        throw UsageError(FillStrings(LoadString(str::kMsgNoPreset), {name, *text}));
    }
}

/// --block FIRST:LAST (LAST may be "end"), within the sound; the whole sound without it.
std::pair<int64_t, int64_t> ParseBlock(const CArgs& cli, int64_t frames) {
    const auto text = cli.Value("block");
    if (!text) {
        return {0, frames - 1};
    }
    const std::size_t colon = text->find(':');
    if (colon == std::string::npos) {
        throw UsageError(FillStrings(LoadString(str::kMsgBadBlock), {*text}));
    }
    const int64_t first = ParseFrame(text->substr(0, colon));
    int64_t last = ParseFrame(text->substr(colon + 1));
    last = last < 0 ? frames - 1 : last;
    if (first < 0 || first > last || last >= frames) {
        throw UsageError(FillStrings(LoadString(str::kMsgBlockOutside), {*text, std::to_string(frames - 1)}));
    }
    return {first, last};
}

int Run(const std::vector<std::string>& args) {
    try {
        const CArgs cli(args, {"raw-out"}, {"block", "tracks", "preset", kRawInOption});
        cli.ExpectOperands(3, SIZE_MAX);
        const std::vector<std::string>& operands = cli.Operands();
        const auto kind = FindEffectByName(operands[2]);
        if (!kind) {
            throw UsageError(FillStrings(LoadString(str::kMsgUnknownFunction), {operands[2]}));
        }
        EffectParameters params;
        const std::string message =
            ApplyEffectAssignments(*kind, ParsePreset(cli, *kind),
                                   std::vector<std::string>(operands.begin() + 3, operands.end()), params);
        if (!message.empty()) {
            throw UsageError(message);
        }
        const InputOptions input = ParseInputOptions(cli, STORE_TEMPFILE);
        CSampleStore sound;
        if (!LoadInput(sound, operands[0], input)) {
            return kExitFailed;
        }
        if (sound.GetFrameCount() == 0) {
            PrintError(LoadString(str::kMsgEmptySound));
            return kExitFailed;
        }
        const auto [first, last] = ParseBlock(cli, sound.GetFrameCount());
        TrackMask mask{};
        const auto tracks = cli.Value("tracks");
        if (tracks) {
            mask = ParseTrackList(*tracks, sound.GetTrackCount());
        }
        const std::string range = CheckEffectRanges(*kind, params, sound, first, last);
        if (!range.empty()) {
            throw UsageError(range);
        }
        EffectRequest request;
        request.kind = *kind;
        request.settings = &params.settings;
        request.trackMask = tracks ? mask.data() : nullptr;
        request.firstFrame = first;
        request.lastFrame = last;
        request.tempStorage = StorageForPath(kSystemTempPath);
        if (RunEffect(sound, request, UndoTarget{}).failed) {
            return kExitFailed;
        }
        return SaveOutput(sound, operands[1], cli.Has("raw-out")) ? kExitOk : kExitFailed;
    } catch (const UsageError& error) {
        return ReportUsage(error, kUsage);
    }
}

const VerbRegistration kRegistration{{"effect", kUsage, &Run}};

} // namespace

} // namespace ondrix::cli
