// Pasting and mixing a whole source store into this one at a frame, through a track assignment, with
// rate conversion by the accumulator.
#include "base/message_service.h"
#include "process/block_driver.h"
#include "process/sample_format.h"
#include "resources/string_ids.h"
#include "store/sample_store.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

namespace ondrix {

namespace {

constexpr uint8_t kNoTrack = 255;

/// Reads source frames in order through a 64 KiB window.
class SourceReader {
public:
    explicit SourceReader(CSampleStore& source)
        : m_source(source), m_align(source.GetBlockAlign()), m_frames(source.GetFrameCount()),
          m_window(65536 / m_align * m_align) {}

    /// The frame at index (clamped to the last frame); nullptr when the read fails.
    const uint8_t* Frame(uint64_t index) {
        index = std::min<uint64_t>(index, m_frames - 1);
        if (index < m_first || index >= m_first + m_count) {
            m_first = index;
            const uint64_t want = std::min<uint64_t>(m_window.size(), (m_frames - index) * m_align);
            const uint32_t got =
                m_source.ReadData(uint32_t(index * m_align), m_window.data(), uint32_t(want));
            if (got != want) {
                m_count = 0;
                return nullptr;
            }
            m_count = got / m_align;
        }
        return m_window.data() + (index - m_first) * m_align;
    }

private:
    CSampleStore& m_source;
    uint32_t m_align;
    uint64_t m_frames;
    std::vector<uint8_t> m_window;
    uint64_t m_first = 0;
    uint64_t m_count = 0;
};

struct PasteContext {
    uint32_t sourceRate;
    uint32_t targetRate;
    int64_t accumulator;
    uint32_t mixPercent;
    uint64_t sourceFrame; // runs on from piece to piece
    const uint8_t* assignment;
    uint32_t sourceBits;
    uint32_t sourceAlign;
    bool identity;
    SourceReader* reader;
};

/// Advances the source frame by the accumulator for one output frame.
void Step(PasteContext& c) {
    c.accumulator -= c.sourceRate;
    while (c.accumulator < 0) {
        c.accumulator += c.targetRate;
        ++c.sourceFrame;
    }
}

uint32_t PasteOrMix(PieceBlock* p, bool mix) {
    auto& c = *static_cast<PasteContext*>(p->context);
    const uint32_t ba = p->blockAlign;
    const uint32_t frames = p->outputCount / ba;
    const int pct = int(c.mixPercent);
    if (!mix && c.identity) {
        // Same rate, bits and tracks, every track from its own: the bytes are copied as they are.
        for (uint32_t f = 0; f < frames; ++f) {
            const uint8_t* from = c.reader->Frame(c.sourceFrame + f);
            if (!from) {
                return 0;
            }
            std::memcpy(p->output + uint64_t(f) * ba, from, ba);
        }
        c.sourceFrame += frames;
        return 1;
    }
    for (uint32_t f = 0; f < frames; ++f) {
        const uint8_t* from = c.reader->Frame(c.sourceFrame);
        if (!from) {
            return 0;
        }
        uint8_t* out = p->output + uint64_t(f) * ba;
        const uint8_t* in = p->input + uint64_t(f) * ba;
        for (uint32_t t = 0; t < p->tracks; ++t) {
            const uint8_t a = c.assignment[t];
            if (a == kNoTrack) {
                continue;
            }
            if (p->bits == 16) {
                int value = LoadAs16(from, a, c.sourceBits);
                if (mix) {
                    const int y =
                        c.sourceBits == 8 ? ((int(from[a]) - 128) * pct) * 256 : Load16(from + a * 2) * pct;
                    value = ((100 - pct) * Load16(in + t * 2) + y) / 100;
                }
                Store16(out + t * 2, int16_t(value));
            } else {
                int value = LoadAs8(from, a, c.sourceBits);
                if (mix) {
                    const int y = c.sourceBits == 8 ? int(from[a]) - 128 : Load16(from + a * 2) / 256;
                    value = ((100 - pct) * (int(in[t]) - 128) + pct * y) / 100 + 128;
                }
                out[t] = uint8_t(value);
            }
        }
        Step(c);
    }
    return 1;
}

uint32_t PasteRoutine(PieceBlock* p) {
    return PasteOrMix(p, false);
}
uint32_t MixRoutine(PieceBlock* p) {
    return PasteOrMix(p, true);
}

} // namespace

bool CSampleStore::PasteBlock(const uint8_t* assignment, int64_t frame, bool insert, CSampleStore* source,
                              bool mix, uint32_t mixPercent) {
    if (!HasData() || !assignment || !source || source == this || !source->HasData() || frame < 0 ||
        source->GetSampleRate() == 0 || mixPercent > 100) {
        return false;
    }
    uint32_t mask[kMaxTracks] = {};
    bool identity = source->GetTrackCount() == m_tracks && source->GetBitsPerSample() == m_bits &&
                    source->GetSampleRate() == m_rate;
    for (uint32_t t = 0; t < m_tracks; ++t) {
        if (assignment[t] != kNoTrack && assignment[t] >= source->GetTrackCount()) {
            return false;
        }
        mask[t] = assignment[t] != kNoTrack ? 1 : 0;
        identity = identity && assignment[t] == t;
    }
    const uint64_t sourceFrames = source->GetFrameCount();
    if (sourceFrames == 0) {
        return true;
    }
    // Frames to produce, exactly: this rate x source frames / source rate, rounded down.
    const uint64_t frames = uint64_t(m_rate) * sourceFrames / source->GetSampleRate();
    const uint64_t bytes = frames * GetBlockAlign();
    if (bytes > std::numeric_limits<uint32_t>::max()) {
        if (m_showErrors) {
            AskUser(str::kTooLargeText, MsgIcon::Stop, MsgButtons::Ok);
        }
        return false;
    }
    if (bytes == 0) {
        return true;
    }
    SourceReader reader(*source);
    PasteContext context{source->GetSampleRate(),
                         m_rate,
                         std::abs(int64_t(source->GetSampleRate()) - int64_t(m_rate)),
                         mixPercent,
                         0,
                         assignment,
                         source->GetBitsPerSample(),
                         source->GetBlockAlign(),
                         identity,
                         &reader};
    m_progressTextId = mix ? str::kMixText : str::kPasteText;
    return Process(mask, frame, -1, true, uint32_t(bytes), 0, insert && !mix, mix ? MixRoutine : PasteRoutine,
                   0, &context);
}

} // namespace ondrix
