#include "audio/standard_wave.h"

#include "store/sample_store.h"

namespace ondrix {

bool MakeStandardWave(CSampleStore& target, CSampleStore& source, StorageMode mode,
                      const std::string& directory) {
    if (!target.MixDown(mode, directory, &source, -1, -1, 0, source.GetBitsPerSample())) {
        return false;
    }
    target.m_infoTexts = source.m_infoTexts;
    return true;
}

} // namespace ondrix
