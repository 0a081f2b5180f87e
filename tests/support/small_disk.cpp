#include "support/small_disk.h"

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace ondrix::test {

SmallDisk::SmallDisk(std::size_t bytes) {
    static int counter = 0;
    m_path = (std::filesystem::temp_directory_path() /
              ("ondrix-disk-" + std::to_string(::getpid()) + "-" + std::to_string(counter++)))
                 .string();
    std::filesystem::create_directories(m_path);
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", m_path.c_str(), "tmpfs", 0, options.c_str()) == 0) {
        m_mounted = true;
        return;
    }
    // No permission to mount: limit the size of every file this process writes instead.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    m_oldSoft = limit.rlim_cur;
    limit.rlim_cur = bytes;
    m_limited = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

SmallDisk::~SmallDisk() {
    if (m_mounted) {
        ::umount(m_path.c_str());
    }
    if (m_limited) {
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = m_oldSoft;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

std::size_t SmallDisk::FileCount() const {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_path)) {
        ++count;
    }
    return count;
}

} // namespace ondrix::test
