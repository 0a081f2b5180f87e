#include "fileformat/wave_parser.h"

#include "fileformat/chunk_reader.h"
#include "fileformat/fmt_chunk.h"
#include "fileformat/riff.h"
#include "fileformat/wave_format.h"
#include "fileformat/wave_messages.h"
#include "resources/string_ids.h"
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

[[noreturn]] void Refuse(uint32_t messageId) {
    throw WaveFormatError(messageId);
}

/// The header at position of a chunk before the samples. A run of zero bytes ends the walk as the end of
/// the source does: the file has no format or no samples (31502).
ChunkHeader HeaderBeforeSamples(CChunkReader& reader, uint64_t position) {
    ChunkHeader header;
    if (!reader.ReadHeader(position, header) || header.IsZero()) {
        Refuse(str::kMsgUnknownWaveFormat);
    }
    return header;
}

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
    ChunkHeader header;
    for (;;) {
        header = HeaderBeforeSamples(reader, position);
        const uint8_t* id = header.id;
        const uint32_t size = header.size;
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
            layout.infoTexts[kIndexInam] = reader.ReadText(body, size, kMaxTextBytes);
        } else if (riff::IsId(id, "copy")) {
            layout.infoTexts[kIndexIcop] = reader.ReadText(body, size, kMaxTextBytes);
        }
        // The chunks of the earlier version were written without pad bytes; all others are padded.
        const bool legacyChunk = riff::IsId(id, "chni") || riff::IsId(id, "titl") || riff::IsId(id, "copy");
        position = body + (legacyChunk ? uint64_t(size) : riff::PaddedSize(size));
    }

    const uint64_t body = position + riff::kChunkHeaderSize;
    const FmtFormat format = ReadFmtChunk(reader, body, header.size);
    layout.bits = format.bits;
    layout.tracks = format.tracks;
    layout.rate = format.rate;
    return body + riff::PaddedSize(header.size);
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
        layout.names[t] = reader.ReadText(at, std::min(n, end - at), kMaxTextBytes);
        at += n;
    }
}

/// Reads the chunks after the samples up to the end of the source, a run of zero bytes or a chunk that
/// claims more than the source holds.
void ReadTrailingChunks(CChunkReader& reader, uint64_t position, WaveLayout& layout) {
    bool infoOpen = false;
    ChunkHeader header;
    while (reader.ReadHeader(position, header) && !header.IsZero()) {
        const uint8_t* id = header.id;
        const uint32_t size = header.size;
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
                layout.infoTexts[std::size_t(index)] = reader.ReadText(body, size, kMaxTextBytes);
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
    uint8_t riffHeader[12];
    if (!reader.ReadExact(0, riffHeader, sizeof riffHeader) || !riff::IsId(riffHeader, "RIFF") ||
        !riff::IsId(riffHeader + 8, "WAVE")) {
        Refuse(str::kMsgNoValidWave);
    }
    WaveLayout layout;
    layout.mixer = NeutralMixer();
    uint64_t position = ReadFormat(reader, layout);

    ChunkHeader header = HeaderBeforeSamples(reader, position);
    while (!riff::IsId(header.id, "data")) {
        position += riff::kChunkHeaderSize + riff::PaddedSize(header.size);
        header = HeaderBeforeSamples(reader, position);
    }
    layout.dataOffset = position + riff::kChunkHeaderSize;
    if (layout.dataOffset > kMaxChunkSize) {
        Refuse(str::kMsgUnknownWaveFormat); // a RIFF file cannot place its samples beyond 4 GB
    }
    // A streaming writer or a crashed recorder leaves the size 0 or the largest value; one cut off claims
    // more than the file holds. Then the whole frames up to the end of the file are the samples.
    const uint64_t remaining = reader.Length() - layout.dataOffset;
    const uint64_t claimed = header.size == 0 && remaining > 0 ? kMaxChunkSize : header.size;
    const uint32_t blockAlign = layout.tracks * (layout.bits / 8);
    layout.dataSize = uint32_t(std::min(claimed, remaining) / blockAlign * blockAlign);

    ReadTrailingChunks(reader, layout.dataOffset + riff::PaddedSize(claimed), layout);
    ClampMixer(layout.mixer);
    return layout;
}

} // namespace ondrix
