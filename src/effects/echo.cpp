#include "effects/echo.h"

#include "store/sample_store.h"

namespace ondrix {

namespace {
constexpr uint8_t kNoTrack = 255;
} // namespace

int32_t EchoMixPercent(int32_t index, int32_t count, int32_t firstVolume, int32_t lastVolume) noexcept {
    if (count <= 0) {
        return firstVolume;
    }
    return firstVolume + int32_t((int64_t(lastVolume - firstVolume) * index) / count);
}

std::array<uint8_t, 32> EchoAssignment(const uint32_t* trackMask, uint32_t tracks) noexcept {
    std::array<uint8_t, 32> assignment;
    assignment.fill(kNoTrack);
    uint8_t next = 0;
    for (uint32_t t = 0; t < tracks && t < assignment.size(); ++t) {
        if (!trackMask || trackMask[t] != 0) {
            assignment[t] = next++;
        }
    }
    return assignment;
}

bool CEchoCopy::Prepare(CSampleStore& store, const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame,
                        const StorageChoice& tempStorage) {
    const uint32_t tracks = store.GetTrackCount();
    m_assignment = EchoAssignment(trackMask, tracks);
    uint32_t edited = 0;
    for (uint32_t t = 0; t < tracks; ++t) {
        edited += m_assignment[t] != kNoTrack ? 1 : 0;
    }
    if (edited == 0) {
        return false;
    }
    m_copy.m_showErrors = store.m_showErrors;
    if (!m_copy.Create(tempStorage.mode, tempStorage.directory, store.GetBitsPerSample(), edited,
                       store.GetSampleRate(), store.GetStereo())) {
        return false;
    }
    return store.CopyBlock(trackMask, firstFrame, lastFrame, &m_copy);
}

bool CEchoCopy::Mix(CSampleStore& store, int64_t firstFrame, const EchoParams& params, int64_t delayFrames) {
    int64_t position = firstFrame;
    for (int32_t i = 0; i < params.count; ++i) {
        position += delayFrames;
        const int32_t percent = EchoMixPercent(i, params.count, params.firstVolume, params.lastVolume);
        if (!store.PasteBlock(m_assignment.data(), position, false, &m_copy, true, uint32_t(percent))) {
            return false;
        }
    }
    return true;
}

bool RunEcho(CSampleStore& store, const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame,
             const EchoParams& params, const StorageChoice& tempStorage) {
    CEchoCopy copy;
    return copy.Prepare(store, trackMask, firstFrame, lastFrame, tempStorage) &&
           copy.Mix(store, firstFrame, params, store.MsToFrames(params.delay));
}

} // namespace ondrix
