#pragma once

#include "settings/core/profile_store.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ondrix {

/// The recent-file list: the last four files opened or saved, newest first, kept in the section
/// "RecentFiles" under the keys "File1" to "File4".
class CRecentFileList {
public:
    /// Number of entries the list keeps.
    static constexpr std::size_t kSize = 4;
    /// Length the menu shortens an entry to.
    static constexpr std::size_t kDisplayLength = 30;

    /// Puts a path at the front; a path already in the list moves there; the oldest falls off.
    void Add(const std::string& path);
    /// Removes the entry at index (a file that could no longer be opened).
    void Remove(std::size_t index);
    /// Empties the list.
    void Clear() noexcept { m_paths.clear(); }
    /// The paths, newest first.
    const std::vector<std::string>& Paths() const noexcept { return m_paths; }
    /// The entry at index as the menu shows it: shortened to kDisplayLength characters.
    std::string DisplayName(std::size_t index) const;

    /// Reads the list; empty entries are skipped.
    void Read(const IProfileStore& profile);
    /// Writes the list; the keys of unused entries are removed.
    void Write(IProfileStore& profile) const;

private:
    std::vector<std::string> m_paths;
};

/// Shortens a path to at most maxLength characters by replacing leading folders after the root with
/// "...": "/home/user/music/takes/song.wav" becomes "/.../takes/song.wav"; when even "/.../name" is too
/// long, the file name alone.
std::string AbbreviatePath(const std::string& path, std::size_t maxLength);

} // namespace ondrix
