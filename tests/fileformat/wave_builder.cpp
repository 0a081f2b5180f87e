#include "fileformat/wave_builder.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace ondrix::test {

namespace {
void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(uint8_t(value >> (8 * i)));
    }
}
void PutU16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}
} // namespace

WaveBuilder::WaveBuilder(const char* riff, const char* form) {
    m_bytes.insert(m_bytes.end(), riff, riff + 4);
    PutU32(m_bytes, 0);
    m_bytes.insert(m_bytes.end(), form, form + 4);
}

WaveBuilder& WaveBuilder::Chunk(const char* id, const std::vector<uint8_t>& body, bool pad,
                                std::optional<uint32_t> claimedSize) {
    m_bytes.insert(m_bytes.end(), id, id + 4);
    PutU32(m_bytes, claimedSize.value_or(uint32_t(body.size())));
    m_bytes.insert(m_bytes.end(), body.begin(), body.end());
    if (pad && body.size() % 2 == 1) {
        m_bytes.push_back(0);
    }
    return *this;
}

WaveBuilder& WaveBuilder::Fmt(uint32_t channels, uint32_t rate, uint32_t bits, uint16_t tag) {
    std::vector<uint8_t> body;
    const uint32_t align = channels * ((bits + 7) / 8);
    PutU16(body, tag);
    PutU16(body, channels);
    PutU32(body, rate);
    PutU32(body, rate * align);
    PutU16(body, align);
    PutU16(body, bits);
    return Chunk("fmt ", body);
}

WaveBuilder& WaveBuilder::FmtExtensible(uint32_t channels, uint32_t rate, uint32_t bits, uint32_t validBits,
                                        uint16_t subFormat) {
    std::vector<uint8_t> body;
    const uint32_t align = channels * ((bits + 7) / 8);
    PutU16(body, 0xFFFE);
    PutU16(body, channels);
    PutU32(body, rate);
    PutU32(body, rate * align);
    PutU16(body, align);
    PutU16(body, bits);
    PutU16(body, 22);
    PutU16(body, validBits);
    PutU32(body, channels >= 32 ? 0xFFFFFFFFu : (1u << channels) - 1);
    PutU16(body, subFormat);
    const uint8_t rest[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    body.insert(body.end(), rest, rest + sizeof rest);
    return Chunk("fmt ", body);
}

WaveBuilder& WaveBuilder::Data(const std::vector<uint8_t>& samples, bool pad,
                               std::optional<uint32_t> claimedSize) {
    return Chunk("data", samples, pad, claimedSize);
}

WaveBuilder& WaveBuilder::Raw(const std::vector<uint8_t>& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

WaveBuilder& WaveBuilder::FixRiffSize(uint32_t size) {
    m_riffSize = size;
    return *this;
}

std::vector<uint8_t> WaveBuilder::Bytes() const {
    std::vector<uint8_t> out = m_bytes;
    const uint32_t size = m_riffSize.value_or(uint32_t(out.size() - 8));
    for (int i = 0; i < 4; ++i) {
        out[4 + std::size_t(i)] = uint8_t(size >> (8 * i));
    }
    return out;
}

std::vector<uint8_t> U32(uint32_t value) {
    std::vector<uint8_t> out;
    PutU32(out, value);
    return out;
}

std::vector<uint8_t> Text(const std::string& text, bool terminate) {
    std::vector<uint8_t> out(text.begin(), text.end());
    if (terminate) {
        out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> out;
    for (const int16_t s : samples) {
        PutU16(out, uint16_t(s));
    }
    return out;
}

std::vector<uint8_t> Ramp(std::size_t count, uint8_t first) {
    std::vector<uint8_t> out(count);
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = uint8_t(first + i);
    }
    return out;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace ondrix::test
