#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ondrix::test {

/// Bytes of a RIFF WAVE image put together chunk by chunk, malformed ones included.
class WaveBuilder {
public:
    /// Starts with "RIFF", a size patched to the final length - 8 (unless FixRiffSize) and form type.
    explicit WaveBuilder(const char* riff = "RIFF", const char* form = "WAVE");

    /// Adds a chunk: id, the size field (the body's length unless claimed) and the body, with a pad
    /// byte after an odd body unless pad is false.
    WaveBuilder& Chunk(const char* id, const std::vector<uint8_t>& body, bool pad = true,
                       std::optional<uint32_t> claimedSize = std::nullopt);
    /// Adds a 16-byte PCM "fmt " chunk (block align and byte rate computed).
    WaveBuilder& Fmt(uint32_t channels, uint32_t rate, uint32_t bits, uint16_t tag = 1);
    /// Adds a 40-byte WAVE_FORMAT_EXTENSIBLE "fmt " chunk with a sub-format GUID (PCM unless given).
    WaveBuilder& FmtExtensible(uint32_t channels, uint32_t rate, uint32_t bits, uint32_t validBits,
                               uint16_t subFormat = 1);
    /// Adds a "data" chunk.
    WaveBuilder& Data(const std::vector<uint8_t>& samples, bool pad = true,
                      std::optional<uint32_t> claimedSize = std::nullopt);
    /// Adds bytes as they are.
    WaveBuilder& Raw(const std::vector<uint8_t>& bytes);
    /// Writes this value into the RIFF size field instead of the length - 8.
    WaveBuilder& FixRiffSize(uint32_t size);
    /// The image.
    std::vector<uint8_t> Bytes() const;

private:
    std::vector<uint8_t> m_bytes;
    std::optional<uint32_t> m_riffSize;
};

/// A little-endian u32 as four bytes.
std::vector<uint8_t> U32(uint32_t value);
/// The bytes of a text, with a terminating zero when terminate is set.
std::vector<uint8_t> Text(const std::string& text, bool terminate = true);
/// Concatenation of byte blocks.
std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts);
/// 16-bit little-endian samples as bytes.
std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples);
/// count bytes counting up from first (wrapping).
std::vector<uint8_t> Ramp(std::size_t count, uint8_t first = 0);

/// Writes bytes to a file.
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
/// Reads a whole file.
std::vector<uint8_t> ReadFile(const std::string& path);

} // namespace ondrix::test
