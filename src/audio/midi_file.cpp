#include "audio/midi_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace ondrix {

namespace {

constexpr int kDefaultTempo = 120;
constexpr uint32_t kMicrosPerMinute = 60000000;

uint32_t ReadLe32(const uint8_t* p) noexcept {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint32_t ReadBe32(const uint8_t* p) noexcept {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

bool TagIs(const uint8_t* p, const char* tag) noexcept {
    return std::memcmp(p, tag, 4) == 0;
}

/// Reads the events of one track chunk, stopping at its first tempo event.
class CTrackReader {
public:
    CTrackReader(const uint8_t* begin, const uint8_t* end) : m_pos(begin), m_end(end) {}

    /// Finds the first tempo event: its absolute tick and microseconds per quarter note. False when the
    /// track has none or is cut short (a truncated track just has no more events).
    bool FindTempo(uint64_t& tick, uint32_t& microsPerQuarter) {
        uint64_t now = 0;
        uint8_t status = 0;
        while (m_pos < m_end) {
            uint32_t delta = 0;
            if (!ReadVarLen(delta)) {
                return false;
            }
            now += delta;
            if (m_pos >= m_end) {
                return false;
            }
            if (*m_pos & 0x80) {
                status = *m_pos++;
            } else if (status == 0 || status >= 0xF0) {
                return false; // running status without a channel message before it
            }
            if (status == 0xFF) {
                if (m_pos >= m_end) {
                    return false;
                }
                const uint8_t type = *m_pos++;
                uint32_t length = 0;
                if (!ReadVarLen(length) || uint32_t(m_end - m_pos) < length) {
                    return false;
                }
                if (type == 0x51 && length == 3) {
                    microsPerQuarter = uint32_t(m_pos[0]) << 16 | uint32_t(m_pos[1]) << 8 | m_pos[2];
                    tick = now;
                    return microsPerQuarter != 0;
                }
                if (type == 0x2F) {
                    return false; // end of track
                }
                m_pos += length;
                status = 0;
            } else if (status == 0xF0 || status == 0xF7) {
                uint32_t length = 0;
                if (!ReadVarLen(length) || uint32_t(m_end - m_pos) < length) {
                    return false;
                }
                m_pos += length;
                status = 0;
            } else {
                const uint8_t kind = status & 0xF0;
                const std::ptrdiff_t data = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
                if (m_end - m_pos < data) {
                    return false;
                }
                m_pos += data;
            }
        }
        return false;
    }

private:
    bool ReadVarLen(uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            if (m_pos >= m_end) {
                return false;
            }
            const uint8_t byte = *m_pos++;
            value = value << 7 | (byte & 0x7F);
            if (!(byte & 0x80)) {
                return true;
            }
        }
        return false;
    }

    const uint8_t* m_pos;
    const uint8_t* m_end;
};

} // namespace

int ClampSyncTempo(int beatsPerMinute) noexcept {
    return std::clamp(beatsPerMinute, kMinSyncTempo, kMaxSyncTempo);
}

bool IsRmidFile(const std::vector<uint8_t>& bytes) noexcept {
    return bytes.size() >= 12 && TagIs(bytes.data(), "RIFF") && TagIs(bytes.data() + 8, "RMID");
}

std::optional<std::vector<uint8_t>> UnwrapRmid(const std::vector<uint8_t>& bytes) {
    if (!IsRmidFile(bytes)) {
        return std::nullopt;
    }
    std::size_t pos = 12;
    while (bytes.size() - pos >= 8) {
        const uint8_t* chunk = bytes.data() + pos;
        const uint32_t length = ReadLe32(chunk + 4);
        if (bytes.size() - pos - 8 < length) {
            return std::nullopt;
        }
        if (TagIs(chunk, "data")) {
            return std::vector<uint8_t>(chunk + 8, chunk + 8 + length);
        }
        pos += 8 + std::size_t(length) + (length & 1); // chunks are padded to even sizes
        if (pos > bytes.size()) {
            break;
        }
    }
    return std::nullopt;
}

bool HasMidiHeader(const std::vector<uint8_t>& bytes) noexcept {
    return bytes.size() >= 14 && TagIs(bytes.data(), "MThd") && ReadBe32(bytes.data() + 4) >= 6;
}

std::optional<int> ReadFirstTempo(const std::vector<uint8_t>& midi) {
    if (!HasMidiHeader(midi)) {
        return std::nullopt;
    }
    const uint8_t* const end = midi.data() + midi.size();
    const uint8_t* pos = midi.data() + 8 + ReadBe32(midi.data() + 4);
    bool found = false;
    uint64_t firstTick = 0;
    uint32_t firstTempo = 0;
    while (pos <= end && end - pos >= 8) {
        const uint32_t length = ReadBe32(pos + 4);
        const uint8_t* body = pos + 8;
        const uint8_t* bodyEnd = uint32_t(end - body) < length ? end : body + length;
        if (TagIs(pos, "MTrk")) {
            uint64_t tick = 0;
            uint32_t tempo = 0;
            if (CTrackReader(body, bodyEnd).FindTempo(tick, tempo) && (!found || tick < firstTick)) {
                found = true;
                firstTick = tick;
                firstTempo = tempo;
            }
        }
        if (bodyEnd == end) {
            break;
        }
        pos = bodyEnd;
    }
    if (!found) {
        return kDefaultTempo;
    }
    return int((kMicrosPerMinute + firstTempo / 2) / firstTempo);
}

std::optional<std::vector<uint8_t>> LoadMidiFile(const std::string& path, bool* wrapped) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    if (wrapped) {
        *wrapped = IsRmidFile(bytes);
    }
    if (IsRmidFile(bytes)) {
        std::optional<std::vector<uint8_t>> inner = UnwrapRmid(bytes);
        if (!inner) {
            return std::nullopt;
        }
        bytes = std::move(*inner);
    }
    if (!HasMidiHeader(bytes)) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace ondrix
