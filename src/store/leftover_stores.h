#pragma once

#include "store/store_description.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ondrix {

class CSampleStore;

/// A store left behind by a run that ended without releasing it: its data file, held open and locked by
/// this process, and its description. It is either restored as a store or discarded; left alone, it
/// stays on disk for the next start.
class CLeftoverStore {
public:
    /// Takes over the open, locked descriptor of the data file at dataPath.
    CLeftoverStore(int descriptor, std::string dataPath, StoreDescription description, uint64_t bytes);
    /// Closes the data file, leaving the files in place.
    ~CLeftoverStore();
    CLeftoverStore(CLeftoverStore&& other) noexcept;
    CLeftoverStore& operator=(CLeftoverStore&& other) noexcept;
    CLeftoverStore(const CLeftoverStore&) = delete;
    CLeftoverStore& operator=(const CLeftoverStore&) = delete;

    /// The description found beside the data.
    const StoreDescription& Description() const noexcept { return m_description; }
    /// The data file's path.
    const std::string& DataPath() const noexcept { return m_dataPath; }
    /// The whole frames the data holds.
    uint32_t FrameCount() const noexcept;
    /// Makes the data file the store's temporary file (no copy) with the described format, mixer, flags,
    /// names and texts, keeping its description; false (files left in place) when that failed.
    bool RestoreInto(CSampleStore& store);
    /// Deletes the data file and its description.
    void Discard() noexcept;

private:
    void Close() noexcept;

    int m_fd;
    std::string m_dataPath;
    StoreDescription m_description;
    uint64_t m_bytes;
};

/// What a look for leftovers found.
struct LeftoverScan {
    std::vector<CLeftoverStore> offers; ///< stores with a whole description, oldest first
    uint32_t removed = 0;               ///< files deleted
};

/// Looks through the directories for the temporary files of programs no longer running. Stores with a
/// whole description and data are offered; empty takes, descriptions without data and data without a
/// description (or with a damaged one) unchanged for ten minutes are deleted. Files of a running program
/// (locked) are not touched.
LeftoverScan ScanForLeftovers(const std::vector<std::string>& directories);

} // namespace ondrix
