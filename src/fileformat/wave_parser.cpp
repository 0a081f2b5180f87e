#include "fileformat/wave_parser.h"

#include "fileformat/riff.h"
#include "fileformat/wave_format.h"
#include "fileformat/wave_messages.h"
#include "store/data_file.h"

#include <algorithm>
#include <cstring>

namespace ondrix {

namespace {

/// Texts and names longer than this are cut: no file makes the loader allocate more for one text.
constexpr uint64_t kMaxTextBytes = 65536;
constexpr int kIndexInam = 9;
constexpr int kIndexIcop = 3;
constexpr int kIndexIcrd = 4;
constexpr uint32_t kCreationDateSize = 12;
constexpr uint32_t kLegacyMixerSize = 17;
constexpr uint32_t kLegacyMixerTracks = 15;
constexpr uint32_t kFmtSize = 16;
constexpr uint32_t kExtensibleFmtSize = 40;
constexpr uint16_t kExtensibleExtraSize = 22;
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

[[noreturn]] void Refuse(uint32_t messageId) {
    throw WaveFormatError(messageId);
}

/// Reads headers and bodies at explicit positions of a source of fixed length.
class CChunkReader {
public:
    explicit CChunkReader(CDataFile& source) : m_source(source), m_length(source.GetLength()) {}

    uint64_t Length() const noexcept { return m_length; }

    /// Reads exactly count bytes at offset; false when the source ends first.
    bool ReadExact(uint64_t offset, void* buffer, std::size_t count) {
        return offset <= m_length && m_length - offset >= count &&
               m_source.ReadAt(offset, buffer, count) == count;
    }

    /// Reads the chunk header at offset; false when fewer than 8 bytes remain.
    bool ReadHeader(uint64_t offset, uint8_t (&id)[4], uint32_t& size) {
        uint8_t header[riff::kChunkHeaderSize];
        if (!ReadExact(offset, header, sizeof header)) {
            return false;
        }
        std::memcpy(id, header, 4);
        size = riff::GetU32(header + 4);
        return true;
    }

    /// The text of the size bytes at offset, ending at the first zero byte (and cut to kMaxTextBytes).
    std::string ReadText(uint64_t offset, uint64_t size) {
        if (offset >= m_length) {
            return {};
        }
        std::string text(std::size_t(std::min({size, kMaxTextBytes, m_length - offset})), '\0');
        text.resize(m_source.ReadAt(offset, text.data(), text.size()));
        text.resize(std::strlen(text.c_str()));
        return text;
    }

private:
    CDataFile& m_source;
    uint64_t m_length;
};

int InfoIndex(const uint8_t* id) noexcept {
    for (int i = 0; i < kInfoTextCount; ++i) {
        if (riff::IsId(id, kInfoIds[i])) {
            return i;
        }
    }
    return -1;
}

/// The mixer before any chunk speaks: main volumes and track volumes 100, balances 0, mono.
MixerBlock NeutralMixer() noexcept {
    MixerBlock mixer{};
    mixer.mainLeft = 100;
    mixer.mainRight = 100;
    std::fill(std::begin(mixer.volume), std::end(mixer.volume), uint8_t(100));
    return mixer;
}

/// The mixer codes of the earlier file version for tracks 0 to 14.
void ApplyLegacyMixer(const uint8_t (&body)[kLegacyMixerSize], MixerBlock& mixer) noexcept {
    mixer.stereo = body[0];
    for (uint32_t t = 0; t < kLegacyMixerTracks; ++t) {
        switch (body[1 + t]) {
        case 0:
            mixer.volume[t] = 0;
            mixer.balance[t] = 0;
            break;
        case 1:
            mixer.balance[t] = 0;
            break;
        case 2:
            mixer.balance[t] = -100;
            break;
        case 3:
            mixer.balance[t] = 100;
            break;
        default:
            break;
        }
    }
}

/// Reads the chunks before "fmt " and the format; returns the position after the "fmt " chunk.
uint64_t ReadFormat(CChunkReader& reader, WaveLayout& layout) {
    uint64_t position = 12;
    uint8_t id[4];
    uint32_t size = 0;
    for (;;) {
        if (!reader.ReadHeader(position, id, size)) {
            Refuse(kMsgUnknownWaveFormat);
        }
        const uint64_t body = position + riff::kChunkHeaderSize;
        if (riff::IsId(id, "fmt ")) {
            break;
        }
        uint8_t legacy[kLegacyMixerSize];
        if (riff::IsId(id, "chni") && size == kLegacyMixerSize &&
            reader.ReadExact(body, legacy, sizeof legacy)) {
            ApplyLegacyMixer(legacy, layout.mixer);
            layout.mixerPresent = true;
        } else if (riff::IsId(id, "titl")) {
            layout.infoTexts[kIndexInam] = reader.ReadText(body, size);
        } else if (riff::IsId(id, "copy")) {
            layout.infoTexts[kIndexIcop] = reader.ReadText(body, size);
        }
        // The chunks of the earlier version were written without pad bytes; all others are padded.
        const bool legacyChunk = riff::IsId(id, "chni") || riff::IsId(id, "titl") || riff::IsId(id, "copy");
        position = body + (legacyChunk ? uint64_t(size) : riff::PaddedSize(size));
    }

    const uint64_t body = position + riff::kChunkHeaderSize;
    uint8_t fmt[kExtensibleFmtSize];
    if (size < kFmtSize || !reader.ReadExact(body, fmt, kFmtSize)) {
        Refuse(kMsgUnknownWaveFormat);
    }
    const uint16_t tag = riff::GetU16(fmt);
    const uint32_t channels = riff::GetU16(fmt + 2);
    const uint32_t rate = riff::GetU32(fmt + 4);
    const uint32_t bits = riff::GetU16(fmt + 14);
    if (tag == kFormatExtensible) {
        if (size < kExtensibleFmtSize ||
            !reader.ReadExact(body + kFmtSize, fmt + kFmtSize, kExtensibleFmtSize - kFmtSize) ||
            riff::GetU16(fmt + 16) < kExtensibleExtraSize || riff::GetU16(fmt + 18) != bits ||
            std::memcmp(fmt + 24, kPcmSubFormat, sizeof kPcmSubFormat) != 0) {
            Refuse(kMsgUnknownWaveFormat);
        }
    } else if (tag != kFormatPcm) {
        Refuse(kMsgUnknownWaveFormat);
    }
    if (!IsStoreFormat(bits, channels) || rate < kWaveMinRate || rate > kWaveMaxRate) {
        Refuse(kMsgUnknownWaveFormat);
    }
    layout.bits = bits;
    layout.tracks = channels;
    layout.rate = rate;
    return body + riff::PaddedSize(size);
}

/// Reads the "chtt" body: for each track a u32 n and n bytes of name, as far as the chunk holds them.
void ReadNames(CChunkReader& reader, uint64_t body, uint32_t size, WaveLayout& layout) {
    const uint64_t end = body + size;
    uint64_t at = body;
    for (uint32_t t = 0; t < layout.tracks && at + 4 <= end; ++t) {
        uint8_t count[4];
        if (!reader.ReadExact(at, count, sizeof count)) {
            return;
        }
        at += 4;
        const uint64_t n = riff::GetU32(count);
        layout.names[t] = reader.ReadText(at, std::min(n, end - at));
        at += n;
    }
}

/// Reads the chunks after the samples up to the end of the source or a chunk that claims more than it.
void ReadTrailingChunks(CChunkReader& reader, uint64_t position, WaveLayout& layout) {
    bool infoOpen = false;
    uint8_t id[4];
    uint32_t size = 0;
    while (position + riff::kChunkHeaderSize <= reader.Length() && reader.ReadHeader(position, id, size)) {
        const uint64_t body = position + riff::kChunkHeaderSize;
        if (body + size > reader.Length()) {
            break;
        }
        uint64_t next = body + riff::PaddedSize(size);
        if (riff::IsId(id, "chnn") && size == sizeof(MixerBlock)) {
            MixerBlock mixer;
            if (reader.ReadExact(body, &mixer, sizeof mixer)) {
                layout.mixer = mixer;
                layout.mixerPresent = true;
            }
        } else if (riff::IsId(id, "chtt")) {
            ReadNames(reader, body, size, layout);
        } else if (riff::IsId(id, "LIST")) {
            uint8_t type[4];
            if (size >= 4 && reader.ReadExact(body, type, sizeof type) && riff::IsId(type, "INFO")) {
                infoOpen = true;
                next = body + 4; // the sub-chunks follow as chunks of their own
            }
        } else if (const int index = infoOpen ? InfoIndex(id) : -1; index >= 0) {
            if (size > 1 && (index != kIndexIcrd || size == kCreationDateSize)) {
                layout.infoTexts[std::size_t(index)] = reader.ReadText(body, size);
            }
        }
        position = next;
    }
}

} // namespace

void ClampMixer(MixerBlock& mixer) noexcept {
    mixer.mainLeft = std::min<uint8_t>(mixer.mainLeft, 200);
    mixer.mainRight = std::min<uint8_t>(mixer.mainRight, 200);
    for (int t = 0; t < kMaxTracks; ++t) {
        mixer.volume[t] = std::min<uint8_t>(mixer.volume[t], 200);
        mixer.balance[t] = std::clamp<int8_t>(mixer.balance[t], -100, 100);
    }
}

WaveLayout ParseWave(CDataFile& source) {
    CChunkReader reader(source);
    uint8_t header[12];
    if (!reader.ReadExact(0, header, sizeof header) || !riff::IsId(header, "RIFF") ||
        !riff::IsId(header + 8, "WAVE")) {
        Refuse(kMsgNoValidWave);
    }
    WaveLayout layout;
    layout.mixer = NeutralMixer();
    uint64_t position = ReadFormat(reader, layout);

    uint8_t id[4];
    uint32_t size = 0;
    for (;;) {
        if (!reader.ReadHeader(position, id, size)) {
            Refuse(kMsgUnknownWaveFormat);
        }
        if (riff::IsId(id, "data")) {
            break;
        }
        position += riff::kChunkHeaderSize + riff::PaddedSize(size);
    }
    layout.dataOffset = position + riff::kChunkHeaderSize;
    if (layout.dataOffset > kMaxChunkSize) {
        Refuse(kMsgUnknownWaveFormat); // a RIFF file cannot place its samples beyond 4 GB
    }
    // A recording cut off by a crash claims more than the file holds: take the whole frames that are there.
    const uint64_t there = std::min<uint64_t>(size, reader.Length() - layout.dataOffset);
    const uint32_t blockAlign = layout.tracks * (layout.bits / 8);
    layout.dataSize = uint32_t(there / blockAlign * blockAlign);

    ReadTrailingChunks(reader, layout.dataOffset + riff::PaddedSize(size), layout);
    ClampMixer(layout.mixer);
    return layout;
}

} // namespace ondrix
