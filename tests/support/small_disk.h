#pragma once

#include <string>

namespace ondrix::test {

/// A directory that holds at most a given number of bytes: a tmpfs mounted there when the process may
/// mount, otherwise a file-size limit (RLIMIT_FSIZE) for the whole process while the object lives.
class SmallDisk {
public:
    explicit SmallDisk(std::size_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    /// The directory.
    const std::string& Path() const { return m_path; }
    /// Number of files in the directory.
    std::size_t FileCount() const;
    /// Whether a real tmpfs is mounted (otherwise the size limit is in force).
    bool IsMounted() const { return m_mounted; }

private:
    std::string m_path;
    bool m_mounted = false;
    bool m_limited = false;
    unsigned long long m_oldSoft = 0;
};

} // namespace ondrix::test
