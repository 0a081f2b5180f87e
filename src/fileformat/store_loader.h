#pragma once

#include "store/sample_store.h"

#include <cstddef>
#include <memory>
#include <string>

namespace ondrix {

class CDataFile;
class ProgressScope;
struct WaveLayout;

/// Fills a sample store from a WAVE or raw source; the store's Load family runs it.
class CStoreLoader {
public:
    /// Where the bytes come from: a file, or a block of memory when data is set (path is then empty).
    struct Source {
        std::string path;
        const void* data = nullptr;
        std::size_t size = 0;
    };

    /// A loader for one store.
    explicit CStoreLoader(CSampleStore& store) noexcept : m_store(store) {}

    /// Loads source into the store (raw: headerless with that format). Failures are reported and leave
    /// the store empty with no temporary file.
    bool Load(const Source& source, const RawFormat* raw, StorageMode mode, const std::string& directory);

private:
    /// The format, sample position and chunk contents of the source; shows 31501/31502/32100 itself.
    WaveLayout ReadLayout(CDataFile& input, const RawFormat* raw, const std::string& name);
    /// Copies the samples into a fresh data file of the storage mode.
    std::unique_ptr<CDataFile> CopySamples(CDataFile& input, const WaveLayout& layout, StorageMode mode,
                                           const std::string& directory, const std::string& name,
                                           ProgressScope& progress);
    /// Takes the mixer, names and texts the file carried.
    void ApplyChunks(const WaveLayout& layout);

    CSampleStore& m_store;
};

} // namespace ondrix
