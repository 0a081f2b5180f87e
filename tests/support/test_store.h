#pragma once

#include "store/sample_store.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ondrix::test {

/// A fresh directory under the system temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    /// The directory's path.
    const std::string& Path() const { return m_path; }
    /// The names of the files in it.
    std::vector<std::string> Files() const;

private:
    std::string m_path;
};

/// Fills a 16-bit store with frames where sample (frame f, track t) = f * 10 + t (wrapping at 16 bits).
void FillRamp16(CSampleStore& store, uint32_t frames);
/// Fills an 8-bit store with frames where sample (f, t) = (f + t * 50) & 0xFF.
void FillRamp8(CSampleStore& store, uint32_t frames);
/// All 16-bit samples of one track.
std::vector<int16_t> Track16(CSampleStore& store, uint32_t track);
/// All 8-bit samples of one track.
std::vector<uint8_t> Track8(CSampleStore& store, uint32_t track);
/// All bytes of a store's data.
std::vector<uint8_t> AllBytes(CSampleStore& store);
/// The whole content of a file; empty when it cannot be read.
std::string FileBytes(const std::string& path);

} // namespace ondrix::test
