#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ondrix {

class CDataFile;

/// The eight bytes that open a chunk: its id and the size of its body.
struct ChunkHeader {
    uint8_t id[4] = {};
    uint32_t size = 0;

    /// Whether the header is eight zero bytes: the start of a zero run, not a chunk.
    bool IsZero() const noexcept { return size == 0 && id[0] == 0 && id[1] == 0 && id[2] == 0 && id[3] == 0; }
};

/// Reads headers and small bodies of a source of fixed length at explicit positions, through a window
/// of the source held in memory, so that a walk over many small chunks costs few reads of the source.
class CChunkReader {
public:
    /// Bytes held in the window; reads of more go to the source directly.
    static constexpr std::size_t kWindowSize = 16384;

    /// A reader over source, whose length is taken once.
    explicit CChunkReader(CDataFile& source);

    /// The length of the source.
    uint64_t Length() const noexcept { return m_length; }
    /// Reads exactly count bytes at offset; false when the source ends first.
    bool ReadExact(uint64_t offset, void* buffer, std::size_t count);
    /// Reads the chunk header at offset; false when fewer than 8 bytes remain.
    bool ReadHeader(uint64_t offset, ChunkHeader& header);
    /// The text of the size bytes at offset, ending at the first zero byte and cut to maxBytes.
    std::string ReadText(uint64_t offset, uint64_t size, uint64_t maxBytes);

private:
    /// Reads up to count bytes at offset (fewer at the end of the source); returns the bytes read.
    std::size_t ReadSome(uint64_t offset, void* buffer, std::size_t count);

    CDataFile& m_source;
    uint64_t m_length;
    std::vector<uint8_t> m_window;
    uint64_t m_windowOffset = 0;
    std::size_t m_windowFill = 0;
};

} // namespace ondrix
