#include "fileformat/output_file.h"

#include "base/file_exception.h"
#include "base/write_all.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace ondrix {

namespace {

constexpr int kNameAttempts = 100;
constexpr std::size_t kMaxBaseInName = 200; // keeps the temporary name within NAME_MAX

std::string RandomSuffix() {
    static std::atomic<uint64_t> counter{std::random_device{}()};
    static constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    uint64_t value = counter.fetch_add(0x9E3779B97F4A7C15ull) * 0xBF58476D1CE4E5B9ull;
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        suffix += kDigits[value % 36];
        value /= 36;
    }
    return suffix;
}

} // namespace

COutputFile::COutputFile(const std::string& path) : m_path(path), m_target(path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            m_fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (m_fd < 0) {
                ThrowErrno(m_path, true);
            }
            return;
        }
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            m_target = real;
            std::free(real);
        }
        m_replaces = true;
        m_mode = info.st_mode & 07777;
        m_owner = info.st_uid;
        m_group = info.st_gid;
    }
    CreateTemporary();
}

void COutputFile::CreateTemporary() {
    const std::size_t slash = m_target.rfind('/');
    const std::string directory = slash == std::string::npos ? std::string() : m_target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? m_target : m_target.substr(slash + 1);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = directory + "." + base.substr(0, kMaxBaseInName) + ".ondrix-" + RandomSuffix();
        m_fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_temp = std::move(name);
            break;
        }
        if (errno != EEXIST) {
            ThrowErrno(m_path, true);
        }
    }
    if (m_fd < 0) {
        throw FileException(FileException::directoryFull, m_path, true);
    }
    if (m_replaces) {
        // The new file takes the place of the old one: keep who owns it and who may read it. Only root
        // may hand a file to another owner; otherwise the file stays the saver's, which is fine.
        [[maybe_unused]] const int owned = ::fchown(m_fd, m_owner, m_group);
        [[maybe_unused]] const int moded = ::fchmod(m_fd, m_mode);
    }
}

COutputFile::~COutputFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    if (!m_committed && !m_temp.empty()) {
        ::unlink(m_temp.c_str());
    }
}

void COutputFile::Write(const void* buffer, std::size_t count) {
    WriteAll(m_path, buffer, count,
             [this](const uint8_t* bytes, std::size_t n, std::size_t) { return ::write(m_fd, bytes, n); });
}

bool COutputFile::AppendFromFile(const KernelCopyEnd& source, uint64_t size, const CopyProgress& progress) {
    if (m_temp.empty() || source.fd < 0) {
        return false;
    }
    const off_t position = ::lseek(m_fd, 0, SEEK_CUR);
    if (position < 0) {
        return false;
    }
    const std::optional<uint64_t> copied =
        KernelCopy(source, KernelCopyEnd{m_fd, uint64_t(position), &m_path}, size, progress);
    if (!copied) {
        return false;
    }
    if (*copied != size) {
        throw FileException(FileException::endOfFile, *source.path);
    }
    // the kernel copy leaves the file position where it was; the next Write goes after the copy
    if (::lseek(m_fd, position + off_t(size), SEEK_SET) < 0) {
        ThrowErrno(m_path, true);
    }
    return true;
}

void COutputFile::Commit() {
    if (m_replaces && ::fsync(m_fd) != 0) {
        ThrowErrno(m_path, true);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        ThrowErrno(m_path, true);
    }
    if (m_temp.empty()) {
        m_committed = true;
        return;
    }
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        ThrowErrno(m_path, true);
    }
    m_committed = true;
}

} // namespace ondrix
