#pragma once

#include "cli_args.h"
#include "store/sample_store.h"

#include <optional>
#include <string>

namespace ondrix::cli {

/// How a verb reads its input file: WAVE, or raw with a stated format; and where the samples live.
struct InputOptions {
    std::optional<RawFormat> raw;
    StorageMode mode = STORE_INPLACE;
};

/// The options every verb that reads a sound file shares.
inline constexpr const char* kRawInOption = "raw-in";
inline constexpr const char* kStorageOption = "storage";

/// Reads --raw-in RATE,TRACKS,BITS,OFFSET and --storage inplace|temp|memory (default: defaultMode).
InputOptions ParseInputOptions(const CArgs& args, StorageMode defaultMode);

/// Loads path into store as the options say, with the loading progress on the terminal. Failures have
/// been reported when it returns false.
bool LoadInput(CSampleStore& store, const std::string& path, const InputOptions& options);

/// Saves store to path as WAVE or raw, with the saving progress on the terminal. Failures have been
/// reported when it returns false.
bool SaveOutput(CSampleStore& store, const std::string& path, bool raw);

} // namespace ondrix::cli
