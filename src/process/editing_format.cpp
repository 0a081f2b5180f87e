// The format conversions of the sample store: bits, sampling rate, number of tracks, inserting and
// deleting a track. Each is one length-changing run of the block driver; the format fields change only
// after the run has completed.
#include "process/block_driver.h"
#include "process/sample_format.h"
#include "resources/string_ids.h"
#include "store/sample_store.h"

#include <algorithm>
#include <cstdlib>

namespace ondrix {

namespace {

/// New bits = numerator; every sample converted, all tracks.
uint32_t ConvertBitsRoutine(PieceBlock* p) {
    const uint32_t samples = p->inputCount / (p->bits / 8);
    if (p->numerator == 8) {
        for (uint32_t i = 0; i < samples; ++i) {
            p->output[i] = Sample16To8(Load16(p->input + i * 2));
        }
    } else {
        for (uint32_t i = 0; i < samples; ++i) {
            Store16(p->output + i * 2, Sample8To16(p->input[i]));
        }
    }
    return 1;
}

/// Rate conversion by the accumulator, which runs on across pieces. When a piece's input runs out before
/// its output is full, its last input frame is repeated for the rest.
struct RateContext {
    int64_t accumulator;
};

uint32_t ResampleRateRoutine(PieceBlock* p) {
    auto* c = static_cast<RateContext*>(p->context);
    const uint32_t ba = p->blockAlign;
    const uint32_t inFrames = p->inputCount / ba;
    const uint32_t outFrames = p->outputCount / ba;
    const int64_t oldRate = p->denominator;
    const int64_t newRate = p->numerator;
    uint32_t in = 0;
    for (uint32_t out = 0; out < outFrames; ++out) {
        const uint32_t from = std::min(in, inFrames - 1);
        std::memcpy(p->output + uint64_t(out) * ba, p->input + uint64_t(from) * ba, ba);
        if (in < inFrames) {
            c->accumulator -= oldRate;
            while (c->accumulator < 0) {
                c->accumulator += newRate;
                ++in;
            }
        }
    }
    return 1;
}

/// Keeps the first min(old, new) tracks; added tracks are silent. New count = numerator.
uint32_t TrackCountRoutine(PieceBlock* p) {
    const uint32_t bytes = p->bits / 8;
    const uint32_t oldCount = p->tracks;
    const uint32_t newCount = p->numerator;
    const uint32_t frames = p->inputCount / p->blockAlign;
    const uint32_t keep = std::min(oldCount, newCount) * bytes;
    FillSilence(p->output, p->outputCount, p->bits);
    for (uint32_t f = 0; f < frames; ++f) {
        std::memcpy(p->output + uint64_t(f) * newCount * bytes, p->input + uint64_t(f) * p->blockAlign, keep);
    }
    return 1;
}

/// Writes a silent sample at the context's index, the input samples around it.
uint32_t InsertTrackRoutine(PieceBlock* p) {
    const uint32_t index = *static_cast<const uint32_t*>(p->context);
    const uint32_t bytes = p->bits / 8;
    const uint32_t frames = p->inputCount / p->blockAlign;
    const uint32_t outAlign = p->blockAlign + bytes;
    for (uint32_t f = 0; f < frames; ++f) {
        const uint8_t* in = p->input + uint64_t(f) * p->blockAlign;
        uint8_t* out = p->output + uint64_t(f) * outAlign;
        std::memcpy(out, in, index * bytes);
        FillSilence(out + index * bytes, bytes, p->bits);
        std::memcpy(out + (index + 1) * bytes, in + index * bytes, p->blockAlign - index * bytes);
    }
    return 1;
}

/// Writes every sample except the one at the context's index.
uint32_t DeleteTrackRoutine(PieceBlock* p) {
    const uint32_t index = *static_cast<const uint32_t*>(p->context);
    const uint32_t bytes = p->bits / 8;
    const uint32_t frames = p->inputCount / p->blockAlign;
    const uint32_t outAlign = p->blockAlign - bytes;
    for (uint32_t f = 0; f < frames; ++f) {
        const uint8_t* in = p->input + uint64_t(f) * p->blockAlign;
        uint8_t* out = p->output + uint64_t(f) * outAlign;
        std::memcpy(out, in, index * bytes);
        std::memcpy(out + index * bytes, in + (index + 1) * bytes, outAlign - index * bytes);
    }
    return 1;
}

} // namespace

bool CSampleStore::ConvertBits(uint32_t newBits) {
    if (!HasData() || (newBits != 8 && newBits != 16)) {
        return false;
    }
    if (newBits == m_bits) {
        return true;
    }
    m_progressTextId = str::kBitsText;
    if (!Process(nullptr, -1, 0, true, newBits, m_bits, true, ConvertBitsRoutine,
                 uint8_t(m_tracks * newBits / 8), nullptr)) {
        return false;
    }
    m_bits = newBits;
    RewriteRecoveryNote(); // the description follows the new format
    return true;
}

bool CSampleStore::SetSampleRate(uint32_t newRate, bool resample) {
    if (!HasData() || newRate == 0) {
        return false;
    }
    if (newRate == m_rate) {
        return true;
    }
    if (resample) {
        RateContext context{std::abs(int64_t(m_rate) - int64_t(newRate))};
        m_progressTextId = str::kEditingFormatRateText;
        if (!Process(nullptr, -1, 0, true, newRate, m_rate, true, ResampleRateRoutine, 0, &context)) {
            return false;
        }
    }
    m_rate = newRate;
    RewriteRecoveryNote(); // the description follows the new format
    return true;
}

bool CSampleStore::SetTrackCount(uint32_t count) {
    if (!HasData() || count < 1 || count > uint32_t(kMaxTracks)) {
        return false;
    }
    if (count == m_tracks) {
        return true;
    }
    m_progressTextId = str::kTrackCountText;
    if (!Process(nullptr, -1, 0, true, count, m_tracks, true, TrackCountRoutine, uint8_t(count * m_bits / 8),
                 nullptr)) {
        return false;
    }
    m_tracks = count;
    RewriteRecoveryNote(); // the description follows the new format
    return true;
}

bool CSampleStore::InsertTrack(uint32_t index) {
    if (!HasData() || m_tracks >= uint32_t(kMaxTracks) || index > m_tracks) {
        return false;
    }
    m_progressTextId = str::kInsertTrackText;
    if (!Process(nullptr, -1, 0, true, m_tracks + 1, m_tracks, true, InsertTrackRoutine,
                 uint8_t((m_tracks + 1) * m_bits / 8), &index)) {
        return false;
    }
    for (uint32_t t = m_tracks; t > index; --t) {
        m_mixer.volume[t] = m_mixer.volume[t - 1];
        m_mixer.balance[t] = m_mixer.balance[t - 1];
        m_playOff[t] = m_playOff[t - 1];
        m_trackNames[t] = m_trackNames[t - 1];
        m_trackFlags[t] = m_trackFlags[t - 1];
    }
    m_mixer.volume[index] = 100;
    m_mixer.balance[index] = 0;
    m_playOff[index] = 0;
    m_trackNames[index].clear();
    m_trackFlags[index] = m_defaultTrackFlags;
    ++m_tracks;
    RecomputeGains();
    RewriteRecoveryNote(); // the description follows the new format
    return true;
}

bool CSampleStore::DeleteTrack(uint32_t index) {
    if (!HasData() || m_tracks < 2 || index >= m_tracks) {
        return false;
    }
    m_progressTextId = str::kDeleteTrackText;
    if (!Process(nullptr, -1, 0, true, m_tracks - 1, m_tracks, true, DeleteTrackRoutine,
                 uint8_t((m_tracks - 1) * m_bits / 8), &index)) {
        return false;
    }
    for (uint32_t t = index; t + 1 < m_tracks; ++t) {
        m_mixer.volume[t] = m_mixer.volume[t + 1];
        m_mixer.balance[t] = m_mixer.balance[t + 1];
        m_playOff[t] = m_playOff[t + 1];
        m_trackNames[t] = m_trackNames[t + 1];
        m_trackFlags[t] = m_trackFlags[t + 1];
    }
    --m_tracks;
    RecomputeGains();
    RewriteRecoveryNote(); // the description follows the new format
    return true;
}

} // namespace ondrix
