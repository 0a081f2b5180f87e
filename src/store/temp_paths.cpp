#include "store/temp_paths.h"

#include <filesystem>
#include <system_error>

namespace ondrix {

StorageChoice StorageForPath(const std::string& path) {
    if (path.empty()) {
        return {STORE_MEMORY, {}};
    }
    if (path == kSystemTempPath) {
        return {STORE_TEMPFILE, {}};
    }
    return {STORE_TEMPFILE, path};
}

std::string SystemTempDirectory() {
    std::error_code error;
    const auto dir = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : dir.string();
}

} // namespace ondrix
