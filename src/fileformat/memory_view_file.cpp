#include "fileformat/memory_view_file.h"

#include "base/file_exception.h"

#include <algorithm>
#include <cstring>

namespace ondrix {

std::size_t CMemoryViewFile::ReadAt(uint64_t offset, void* buffer, std::size_t count) {
    if (offset >= m_size) {
        return 0;
    }
    const std::size_t n = std::size_t(std::min<uint64_t>(count, m_size - offset));
    std::memcpy(buffer, m_data + offset, n);
    return n;
}

void CMemoryViewFile::WriteAt(uint64_t, const void*, std::size_t) {
    throw FileException(FileException::accessDenied, std::string(), true);
}

void CMemoryViewFile::SetLength(uint64_t) {
    throw FileException(FileException::accessDenied, std::string(), true);
}

} // namespace ondrix
