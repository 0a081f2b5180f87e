// ondrix-cli convert: reads a WAVE or raw file and writes it as WAVE, raw or standard WAVE.
#include "audio/standard_wave.h"
#include "cli_args.h"
#include "cli_io.h"
#include "resources/string_table.h"
#include "verb_registry.h"

namespace ondrix::cli {

namespace {

constexpr const char* kUsage = "convert IN OUT [--raw-in RATE,TRACKS,BITS,OFFSET] [--raw-out] [--standard] "
                               "[--storage inplace|temp|memory]";

/// The sound to write: the sound itself, or for a standard WAVE file its playback mix-down into mixed.
CSampleStore* OutputSound(CSampleStore& sound, CSampleStore& mixed, bool standard,
                          const InputOptions& input) {
    if (!standard) {
        return &sound;
    }
    const StorageMode mode = input.mode == STORE_MEMORY ? STORE_MEMORY : STORE_TEMPFILE;
    return MakeStandardWave(mixed, sound, mode, std::string()) ? &mixed : nullptr;
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
        CSampleStore* output = OutputSound(sound, mixed, cli.Has("standard"), input);
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
