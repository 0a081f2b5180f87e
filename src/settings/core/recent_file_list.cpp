#include "settings/core/recent_file_list.h"

#include <algorithm>

namespace ondrix {

namespace {

const std::string kSection = "RecentFiles";

std::string EntryKey(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > kSize) {
        m_paths.resize(kSize);
    }
}

void CRecentFileList::Remove(std::size_t index) {
    if (index < m_paths.size()) {
        m_paths.erase(m_paths.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

std::string CRecentFileList::DisplayName(std::size_t index) const {
    return index < m_paths.size() ? AbbreviatePath(m_paths[index], kDisplayLength) : std::string();
}

void CRecentFileList::Read(const IProfileStore& profile) {
    m_paths.clear();
    for (std::size_t i = 0; i < kSize; ++i) {
        std::string path = profile.GetString(kSection, EntryKey(i), std::string());
        if (!path.empty()) {
            m_paths.push_back(std::move(path));
        }
    }
}

void CRecentFileList::Write(IProfileStore& profile) const {
    for (std::size_t i = 0; i < kSize; ++i) {
        if (i < m_paths.size()) {
            profile.WriteString(kSection, EntryKey(i), m_paths[i]);
        } else {
            profile.RemoveValue(kSection, EntryKey(i));
        }
    }
}

std::string AbbreviatePath(const std::string& path, std::size_t maxLength) {
    if (path.size() <= maxLength) {
        return path;
    }
    const std::size_t nameStart = path.find_last_of('/') + 1; // 0 when there is no folder
    const std::string name = path.substr(nameStart);
    const std::string root = path.rfind('/', 0) == 0 ? "/" : "";
    const std::string ellipsis = root + ".../";
    if (nameStart == 0 || ellipsis.size() + name.size() > maxLength) {
        return name;
    }
    // Drop leading folders until the rest fits after the ellipsis.
    std::size_t cut = root.size();
    while (cut < nameStart && ellipsis.size() + (path.size() - cut) > maxLength) {
        cut = path.find('/', cut) + 1;
    }
    return ellipsis + path.substr(cut);
}

} // namespace ondrix
