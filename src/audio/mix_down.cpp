#include "audio/render_block.h"

#include "resources/string_ids.h"
#include "store/sample_store.h"

namespace ondrix {

bool CSampleStore::MixDown(StorageMode mode, const std::string& directory, CSampleStore* source,
                           int64_t firstFrame, int64_t lastFrame, uint32_t rate, uint32_t bits,
                           uint32_t channels) {
    if (!source || source == this || mode == STORE_INPLACE || !source->HasData() || channels > 2) {
        return false;
    }
    const uint32_t playChannels = source->GetStereo() ? 2 : 1;
    const uint32_t outChannels = channels == 0 ? playChannels : channels;
    const bool sameFormat = rate == 0 || (source->m_rate == rate && source->m_bits == bits);
    const bool convert = !sameFormat || outChannels != playChannels;
    const uint32_t outRate = sameFormat ? source->m_rate : rate;
    const uint32_t outBits = sameFormat ? source->m_bits : bits;
    if (!Create(mode, directory, outBits, outChannels, outRate, outChannels == 2)) {
        return false;
    }
    RenderContext context;
    context.source = source;
    context.target = this;
    context.convert = convert;
    context.mixNeeded = source->IsMixNeeded();
    context.mixedFrameSize = convert ? playChannels * (source->m_bits / 8) : GetBlockAlign();
    source->RecomputeGains();
    const uint32_t savedText = source->m_progressTextId;
    source->m_progressTextId = str::kMixDownProgressText;
    const bool ok = source->Process(nullptr, firstFrame, lastFrame, false, 1, 1, false, &RenderBlock,
                                    uint8_t(context.mixedFrameSize), &context);
    source->m_progressTextId = savedText;
    return ok;
}

} // namespace ondrix
