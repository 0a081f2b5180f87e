// ondrix-cli edit: the editing primitives and format conversions on a file, positions in frames.
#include "cli_args.h"
#include "cli_io.h"
#include "process/clipboard.h"
#include "verb_registry.h"

#include <cstring>
#include <sstream>

namespace ondrix::cli {

namespace {

constexpr const char* kUsage =
    "edit IN OUT OPERATION [--tracks 0,2] [--raw-in RATE,TRACKS,BITS,OFFSET] [--raw-out]\n"
    "      operations: delete --block A:B | copy --block A:B --to FILE | paste FILE --at F [--overwrite]\n"
    "                  [--mix PCT] [--assign a0,a1,...] [--current T] | bits 8|16 | rate R [--resample]\n"
    "                  | tracks N | insert-track I | delete-track I";

/// The block A:B (inclusive frames; B may be "end").
std::pair<int64_t, int64_t> ParseBlock(const CArgs& cli, const CSampleStore& sound) {
    const auto text = cli.Value("block");
    if (!text) {
        throw UsageError("the operation needs --block A:B");
    }
    const auto colon = text->find(':');
    if (colon == std::string::npos) {
        throw UsageError("--block takes A:B");
    }
    const int64_t first = ParseFrame(text->substr(0, colon));
    int64_t last = ParseFrame(text->substr(colon + 1));
    if (last < 0) {
        last = int64_t(sound.GetFrameCount()) - 1;
    }
    if (first < 0 || last < first || first >= int64_t(sound.GetFrameCount())) {
        throw UsageError("--block " + *text + " is not inside the sound");
    }
    return {first, last};
}

/// "--assign a0,a1,...": the source track for each track of the sound, 255 for none.
TrackAssignment ParseAssignment(const std::string& text, uint32_t tracks, uint32_t sourceTracks) {
    TrackAssignment assignment;
    assignment.fill(kNoSourceTrack);
    std::stringstream list(text);
    std::string entry;
    uint32_t t = 0;
    while (std::getline(list, entry, ',')) {
        if (t >= tracks) {
            throw UsageError("--assign has more entries than the sound has tracks");
        }
        const auto value = ParseNumber(entry, 0, 255);
        if (value != kNoSourceTrack && value >= sourceTracks) {
            throw UsageError("--assign names source track " + entry +
                             ", which the pasted sound does not have");
        }
        assignment[t++] = uint8_t(value);
    }
    if (t != tracks) {
        throw UsageError("--assign needs one entry for each of the sound's " + std::to_string(tracks) +
                         " tracks");
    }
    return assignment;
}

bool Paste(const CArgs& cli, CSampleStore& sound, const std::string& file) {
    CSampleStore source;
    if (!LoadInput(source, file, InputOptions{std::nullopt, STORE_INPLACE})) {
        return false;
    }
    const auto at = cli.Value("at");
    if (!at) {
        throw UsageError("paste needs --at F");
    }
    const int64_t frame = ParseFrame(*at);
    const int64_t position = frame < 0 ? int64_t(sound.GetFrameCount()) : frame;
    const uint32_t current = cli.Value("current") ? uint32_t(ParseNumber(*cli.Value("current"), 0, 31)) : 0;
    const TrackAssignment assignment =
        cli.Value("assign")
            ? ParseAssignment(*cli.Value("assign"), sound.GetTrackCount(), source.GetTrackCount())
            : DefaultAssignment(source.GetTrackCount(), sound.GetTrackCount(), current);
    const bool mix = cli.Has("mix");
    const uint32_t pct = mix ? uint32_t(ParseNumber(*cli.Value("mix"), 0, 100)) : 0;
    return sound.PasteBlock(assignment.data(), position, !cli.Has("overwrite"), &source, mix, pct);
}

bool Copy(const CArgs& cli, CSampleStore& sound, const TrackMask* mask) {
    const auto [first, last] = ParseBlock(cli, sound);
    const auto to = cli.Value("to");
    if (!to) {
        throw UsageError("copy needs --to FILE");
    }
    uint32_t selected = 0;
    for (uint32_t t = 0; t < sound.GetTrackCount(); ++t) {
        selected += !mask || (*mask)[t] != 0 ? 1 : 0;
    }
    CSampleStore block;
    return block.Create(STORE_TEMPFILE, "", sound.GetBitsPerSample(), selected, sound.GetSampleRate(),
                        sound.GetStereo()) &&
           sound.CopyBlock(mask ? mask->data() : nullptr, first, last, &block) &&
           SaveOutput(block, *to, cli.Has("raw-out"));
}

/// Runs one operation on sound; false when it failed (reported). copyOnly is set for "copy".
bool RunOperation(const CArgs& cli, CSampleStore& sound, bool& copyOnly) {
    const auto& ops = cli.Operands();
    const std::string& op = ops[2];
    const uint32_t tracks = sound.GetTrackCount();
    std::optional<TrackMask> mask;
    if (cli.Value("tracks")) {
        mask = ParseTrackList(*cli.Value("tracks"), tracks);
    }
    const auto argument = [&](uint64_t least, uint64_t most) {
        if (ops.size() != 4) {
            throw UsageError(op + " takes one value");
        }
        return ParseNumber(ops[3], least, most);
    };
    copyOnly = op == "copy";
    if (op == "delete") {
        const auto [first, last] = ParseBlock(cli, sound);
        return sound.DeleteBlock(mask ? mask->data() : nullptr, first, last);
    }
    if (op == "copy") {
        return Copy(cli, sound, mask ? &*mask : nullptr);
    }
    if (op == "paste") {
        if (ops.size() != 4) {
            throw UsageError("paste takes the file to paste");
        }
        return Paste(cli, sound, ops[3]);
    }
    if (op == "bits") {
        const auto bits = argument(8, 16);
        if (bits != 8 && bits != 16) {
            throw UsageError("bits takes 8 or 16");
        }
        return sound.ConvertBits(uint32_t(bits));
    }
    if (op == "rate") {
        // The rates a WAVE file may be read back with.
        return sound.SetSampleRate(uint32_t(argument(4096, 88200)), cli.Has("resample"));
    }
    if (op == "tracks") {
        return sound.SetTrackCount(uint32_t(argument(1, 32)));
    }
    if (op == "insert-track") {
        if (tracks >= 32) {
            throw UsageError("the sound already has 32 tracks");
        }
        return sound.InsertTrack(uint32_t(argument(0, tracks)));
    }
    if (op == "delete-track") {
        if (tracks < 2) {
            throw UsageError("the only track of a sound cannot be deleted");
        }
        return sound.DeleteTrack(uint32_t(argument(0, tracks - 1)));
    }
    throw UsageError("unknown operation '" + op + "'");
}

int Run(const std::vector<std::string>& args) {
    try {
        const CArgs cli(args, {"raw-out", "overwrite", "resample"},
                        {kRawInOption, "tracks", "block", "to", "at", "mix", "assign", "current"});
        cli.ExpectOperands(3, 4);
        CSampleStore sound;
        if (!LoadInput(sound, cli.Operands()[0],
                       InputOptions{ParseInputOptions(cli, STORE_TEMPFILE).raw, STORE_TEMPFILE})) {
            return kExitFailed;
        }
        bool copyOnly = false;
        if (!RunOperation(cli, sound, copyOnly)) {
            return kExitFailed;
        }
        if (copyOnly) {
            return kExitOk;
        }
        return SaveOutput(sound, cli.Operands()[1], cli.Has("raw-out")) ? kExitOk : kExitFailed;
    } catch (const UsageError& error) {
        return ReportUsage(error, kUsage);
    }
}

const VerbRegistration kRegistration{{"edit", kUsage, &Run}};

} // namespace

} // namespace ondrix::cli
