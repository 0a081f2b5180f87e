#include "fileformat/chunk_reader.h"

#include "fileformat/riff.h"
#include "store/data_file.h"

#include <algorithm>
#include <cstring>

namespace ondrix {

CChunkReader::CChunkReader(CDataFile& source) : m_source(source), m_length(source.GetLength()) {}

std::size_t CChunkReader::ReadSome(uint64_t offset, void* buffer, std::size_t count) {
    if (offset >= m_length || count == 0) {
        return 0;
    }
    count = std::size_t(std::min<uint64_t>(count, m_length - offset));
    if (count > kWindowSize) {
        return m_source.ReadAt(offset, buffer, count);
    }
    const bool inWindow = offset >= m_windowOffset && offset - m_windowOffset + count <= m_windowFill;
    if (!inWindow) {
        m_window.resize(kWindowSize);
        m_windowOffset = offset;
        m_windowFill = m_source.ReadAt(offset, m_window.data(),
                                       std::size_t(std::min<uint64_t>(kWindowSize, m_length - offset)));
    }
    const std::size_t n = std::min(count, m_windowFill - std::size_t(offset - m_windowOffset));
    std::memcpy(buffer, m_window.data() + (offset - m_windowOffset), n);
    return n;
}

bool CChunkReader::ReadExact(uint64_t offset, void* buffer, std::size_t count) {
    return offset <= m_length && m_length - offset >= count && ReadSome(offset, buffer, count) == count;
}

bool CChunkReader::ReadHeader(uint64_t offset, ChunkHeader& header) {
    uint8_t bytes[riff::kChunkHeaderSize];
    if (!ReadExact(offset, bytes, sizeof bytes)) {
        return false;
    }
    std::memcpy(header.id, bytes, 4);
    header.size = riff::GetU32(bytes + 4);
    return true;
}

std::string CChunkReader::ReadText(uint64_t offset, uint64_t size, uint64_t maxBytes) {
    if (offset >= m_length) {
        return {};
    }
    std::string text(std::size_t(std::min({size, maxBytes, m_length - offset})), '\0');
    text.resize(ReadSome(offset, text.data(), text.size()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

} // namespace ondrix
