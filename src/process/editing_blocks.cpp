// Deleting and copying a block of frames on chosen tracks.
#include "process/block_driver.h"

#include "resources/string_ids.h"
#include "store/sample_store.h"

#include <cstring>
#include <vector>

namespace ondrix {

namespace {

struct CopyContext {
    CSampleStore* target;
    std::vector<uint8_t> frames;
};

/// Appends the masked tracks of every input frame, in track order, to the target store.
uint32_t CopyBlockRoutine(PieceBlock* p) {
    auto* c = static_cast<CopyContext*>(p->context);
    if (!p->trackMask) {
        return c->target->AppendData(p->input, p->inputCount) ? 1 : 0;
    }
    const uint32_t bytes = p->bits / 8;
    const uint32_t frames = p->inputCount / p->blockAlign;
    c->frames.resize(p->inputCount);
    uint8_t* out = c->frames.data();
    for (uint32_t f = 0; f < frames; ++f) {
        const uint8_t* in = p->input + uint64_t(f) * p->blockAlign;
        for (uint32_t t = 0; t < p->tracks; ++t) {
            if (p->trackMask[t] != 0) {
                std::memcpy(out, in + t * bytes, bytes);
                out += bytes;
            }
        }
    }
    return c->target->AppendData(c->frames.data(), uint32_t(out - c->frames.data())) ? 1 : 0;
}

} // namespace

bool CSampleStore::DeleteBlock(const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame) {
    if (!HasData() || firstFrame < 0 || lastFrame < firstFrame) {
        return false;
    }
    m_progressTextId = str::kDeleteText;
    return Process(trackMask, firstFrame, lastFrame, true, 0, 1, true, CopyThroughRoutine, 0, nullptr);
}

bool CSampleStore::CopyBlock(const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame,
                             CSampleStore* target) {
    if (!HasData() || !target || !target->HasData() || target == this || firstFrame < 0 ||
        lastFrame < firstFrame) {
        return false;
    }
    uint32_t selected = 0;
    for (uint32_t t = 0; t < m_tracks; ++t) {
        selected += !trackMask || trackMask[t] != 0 ? 1 : 0;
    }
    if (target->GetTrackCount() != selected || target->GetBitsPerSample() != m_bits) {
        return false;
    }
    CopyContext context{target, {}};
    m_progressTextId = str::kCopyText;
    return Process(trackMask, firstFrame, lastFrame, false, 0, 0, true, CopyBlockRoutine, 0, &context);
}

} // namespace ondrix
