#pragma once

#include <cstddef>
#include <cstdint>

namespace ondrix {

/// One entry of the generated string table.
struct StringEntry {
    uint32_t id;
    const char* text;
};

extern const StringEntry kStringEntries[];
extern const std::size_t kStringEntryCount;

} // namespace ondrix
