#pragma once

#include <cstdint>
#include <string>

namespace ondrix {

enum StorageMode : uint8_t { STORE_MEMORY = 0, STORE_TEMPFILE = 1, STORE_INPLACE = 2 };

/// The value of a temporary-path setting that stands for the system temporary directory.
inline constexpr const char* kSystemTempPath = "@~";

/// Where a store of one kind keeps its data: the storage mode and the directory (empty: the system one).
struct StorageChoice {
    StorageMode mode;
    std::string directory;
};

/// The storage rule of a temporary-path setting: empty = in memory, "@~" = the system temporary
/// directory, anything else = that directory.
StorageChoice StorageForPath(const std::string& path);

/// The system temporary directory (honours TMPDIR).
std::string SystemTempDirectory();

} // namespace ondrix
