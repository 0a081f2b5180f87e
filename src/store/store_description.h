#pragma once

#include "store/mixer_block.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ondrix {

class CSampleStore;

/// What a temporary-file store holds for the user, as its description file names it.
enum class RecoveryKind : uint8_t {
    Take,   ///< a take being recorded
    Changes ///< a document's sound that was changed since it was opened or saved
};

/// Who a store's work belongs to: the kind, the document's file and title, and when the work began.
struct RecoveryIdentity {
    RecoveryKind kind = RecoveryKind::Changes;
    std::string documentPath; ///< the document's file; empty for a new sound
    std::string title;        ///< the document's title
    int64_t time = 0;         ///< seconds since the epoch; 0: the moment the description is first written
};

/// The contents of a description file: enough to make the data file a sound again after a crash.
struct StoreDescription {
    RecoveryIdentity identity;
    int64_t pid = 0;
    uint32_t bits = 16;
    uint32_t tracks = 1;
    uint32_t rate = 44100;
    MixerBlock mixer{};
    std::array<uint8_t, kMaxTracks> playOff{};
    std::array<uint32_t, kMaxTracks> trackFlags{};
    std::array<std::string, kMaxTracks> trackNames;
    std::array<std::string, 16> infoTexts;
};

/// The suffix of a description file, added to its data file's name.
inline constexpr const char* kDescriptionSuffix = ".recovery";

/// The description file that belongs beside a data file.
std::string DescriptionPathFor(const std::string& dataPath);

/// Describes a store's format, mixer, flags, names and texts for an identity.
StoreDescription DescribeStore(const CSampleStore& store, const RecoveryIdentity& identity);

/// The text of a description file: versioned lines ending in a checksum line.
std::string FormatDescription(const StoreDescription& description);

/// Closes the lines of a description with the end line that carries their checksum.
std::string SealDescription(std::string body);

/// Reads a description file's text; nothing when it is truncated, damaged, of another version or holds
/// a value out of range.
std::optional<StoreDescription> ParseDescription(std::string_view text);

} // namespace ondrix
