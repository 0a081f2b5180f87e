// ondrix-cli convert: reads a WAVE or raw file and writes it as WAVE, raw or standard WAVE.
#include "cli_args.h"
#include "cli_io.h"
#include "resources/string_table.h"
#include "verb_registry.h"

namespace ondrix::cli {

namespace {

constexpr const char* kUsage = "convert IN OUT [--raw-in RATE,TRACKS,BITS,OFFSET] [--raw-out] [--standard] "
                               "[--storage inplace|temp|memory]";
constexpr uint32_t kMsgStandardTooManyTracks = 32117;

/// The sound to write as a standard WAVE file of at most two tracks: the sound itself when it has no
/// more. A sound of more tracks is refused until the mix-down of the playback engine can make the pair.
CSampleStore* StandardSound(CSampleStore& sound, [[maybe_unused]] CSampleStore& mixed) {
    if (sound.GetTrackCount() <= 2) {
        return &sound;
    }
    PrintError(FormatString(kMsgStandardTooManyTracks, int(sound.GetTrackCount())));
    return nullptr;
}

int Run(const std::vector<std::string>& args) {
    try {
        const CArgs cli(args, {"raw-out", "standard"}, {kRawInOption, kStorageOption});
        cli.ExpectOperands(2, 2);
        const InputOptions input = ParseInputOptions(cli, STORE_INPLACE);
        CSampleStore sound;
        if (!LoadInput(sound, cli.Operands()[0], input)) {
            return kExitFailed;
        }
        CSampleStore mixed;
        CSampleStore* output = cli.Has("standard") ? StandardSound(sound, mixed) : &sound;
        if (!output || !SaveOutput(*output, cli.Operands()[1], cli.Has("raw-out"))) {
            return kExitFailed;
        }
        return kExitOk;
    } catch (const UsageError& error) {
        return ReportUsage(error, kUsage);
    }
}

const VerbRegistration kRegistration{{"convert", kUsage, &Run}};

} // namespace

} // namespace ondrix::cli
