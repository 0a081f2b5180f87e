#include "store/data_file.h"

#include "base/file_exception.h"
#include "base/user_abort.h"
#include "base/write_all.h"
#include "store/temp_paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace ondrix {

const std::string& CDataFile::GetPath() const noexcept {
    static const std::string empty;
    return empty;
}

CPosixDataFile::CPosixDataFile(int descriptor, std::string path, bool readOnly)
    : m_fd(descriptor), m_path(std::move(path)), m_readOnly(readOnly) {}

CPosixDataFile::~CPosixDataFile() {
    CloseDescriptor();
}

void CPosixDataFile::CloseDescriptor() noexcept {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

std::size_t CPosixDataFile::ReadAt(uint64_t offset, void* buffer, std::size_t count) {
    auto* out = static_cast<uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(m_fd, out + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowErrno(m_path, false);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void CPosixDataFile::WriteAt(uint64_t offset, const void* buffer, std::size_t count) {
    if (m_readOnly) {
        throw FileException(FileException::accessDenied, m_path, true);
    }
    WriteAll(m_path, buffer, count, [this, offset](const uint8_t* bytes, std::size_t n, std::size_t done) {
        return ::pwrite(m_fd, bytes, n, static_cast<off_t>(offset + done));
    });
}

uint64_t CPosixDataFile::GetLength() const {
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        ThrowErrno(m_path, false);
    }
    return static_cast<uint64_t>(info.st_size);
}

void CPosixDataFile::SetLength(uint64_t length) {
    if (m_readOnly || ::ftruncate(m_fd, static_cast<off_t>(length)) != 0) {
        if (m_readOnly) {
            throw FileException(FileException::accessDenied, m_path, true);
        }
        ThrowErrno(m_path, true);
    }
}

void CPosixDataFile::Sync() {
    if (::fsync(m_fd) != 0) {
        ThrowErrno(m_path, true);
    }
}

CTempDataFile::CTempDataFile(int descriptor, std::string path)
    : CPosixDataFile(descriptor, std::move(path), false) {}

std::unique_ptr<CTempDataFile> CTempDataFile::Create(const std::string& directory) {
    std::string dir = directory.empty() ? SystemTempDirectory() : directory;
    if (!dir.empty() && dir.back() != '/') {
        dir += '/';
    }
    std::string pattern = dir + "TRKXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        ThrowErrno(pattern, true);
    }
    // held until the file closes, by this process or its end, whatever way it ends
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    return std::unique_ptr<CTempDataFile>(new CTempDataFile(fd, std::string(name.data())));
}

std::unique_ptr<CTempDataFile> CTempDataFile::Adopt(int descriptor, std::string path) {
    return std::unique_ptr<CTempDataFile>(new CTempDataFile(descriptor, std::move(path)));
}

CTempDataFile::~CTempDataFile() {
    // removed before the lock goes with the descriptor: no later start takes the file for a leftover
    ::unlink(GetPath().c_str());
    CloseDescriptor();
}

CInPlaceDataFile::CInPlaceDataFile(int descriptor, std::string path)
    : CPosixDataFile(descriptor, std::move(path), true) {}

std::unique_ptr<CInPlaceDataFile> CInPlaceDataFile::Open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        ThrowErrno(path, false);
    }
    return std::unique_ptr<CInPlaceDataFile>(new CInPlaceDataFile(fd, path));
}

CMemoryDataFile::CMemoryDataFile(const void* data, std::size_t size) {
    WriteAt(0, data, size);
}

void CMemoryDataFile::Reserve(uint64_t length) {
    if (length <= m_capacity) {
        return;
    }
    // Grow in whole 64 KiB steps, and at least by half the current size so appends stay linear.
    uint64_t capacity = (length + kGrowBy - 1) / kGrowBy * kGrowBy;
    if (capacity < m_capacity + m_capacity / 2) {
        capacity = (m_capacity + m_capacity / 2 + kGrowBy - 1) / kGrowBy * kGrowBy;
    }
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[capacity]);
    if (!bytes) {
        throw MemoryException();
    }
    if (m_length > 0) {
        std::memcpy(bytes.get(), m_bytes.get(), m_length);
    }
    m_bytes = std::move(bytes);
    m_capacity = capacity;
}

std::size_t CMemoryDataFile::ReadAt(uint64_t offset, void* buffer, std::size_t count) {
    if (offset >= m_length) {
        return 0;
    }
    const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(count, m_length - offset));
    std::memcpy(buffer, m_bytes.get() + offset, n);
    return n;
}

void CMemoryDataFile::WriteAt(uint64_t offset, const void* buffer, std::size_t count) {
    if (count == 0) {
        return;
    }
    const uint64_t end = offset + count;
    Reserve(end);
    if (offset > m_length) {
        std::memset(m_bytes.get() + m_length, 0, offset - m_length);
    }
    std::memcpy(m_bytes.get() + offset, buffer, count);
    m_length = std::max(m_length, end);
}

void CMemoryDataFile::SetLength(uint64_t length) {
    Reserve(length);
    if (length > m_length) {
        std::memset(m_bytes.get() + m_length, 0, length - m_length);
    }
    m_length = length;
}

} // namespace ondrix
