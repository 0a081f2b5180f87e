#pragma once

#include "effects/effect_params.h"
#include "store/sample_store.h"
#include "store/temp_paths.h"

#include <array>
#include <cstdint>

namespace ondrix {

/// The mix percentage of echo i (0-based) of n: pf + ((pl - pf) x i) / n, truncated toward zero, so the
/// last echo gets pf + (pl - pf)(n - 1) / n rather than pl.
int32_t EchoMixPercent(int32_t index, int32_t count, int32_t firstVolume, int32_t lastVolume) noexcept;

/// The track assignment that mixes a copy of the edited tracks back into their own tracks: for every
/// edited track its index among the edited tracks, 255 for the others.
std::array<uint8_t, 32> EchoAssignment(const uint32_t* trackMask, uint32_t tracks) noexcept;

/// The echo's copy of the block of the edited tracks in a temporary store, made before anything is
/// written, and the mixes of it back into the sound.
class CEchoCopy {
public:
    /// Makes the temporary store where tempStorage says and copies the block into it; false (reported)
    /// when either failed, the sound being untouched.
    bool Prepare(CSampleStore& store, const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame,
                 const StorageChoice& tempStorage);
    /// Mixes the copy back n times, each delayFrames later than the one before, from the block's first
    /// frame on; false when a mix failed or was aborted, the echoes mixed until then staying.
    bool Mix(CSampleStore& store, int64_t firstFrame, const EchoParams& params, int64_t delayFrames);

private:
    CSampleStore m_copy;
    std::array<uint8_t, 32> m_assignment{};
};

/// The echo sequence: copies the block of the edited tracks into a temporary store (made where
/// tempStorage says) and mixes it back n times, each delay later and with its own percentage; a mix that
/// reaches past the end lengthens the sound. Returns false when the temporary store could not be made or
/// a copy or mix failed or was aborted; the echoes mixed until then stay.
bool RunEcho(CSampleStore& store, const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame,
             const EchoParams& params, const StorageChoice& tempStorage);

} // namespace ondrix
