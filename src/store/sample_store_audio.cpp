#include "store/sample_store.h"

namespace ondrix {

// The store's side of the audio engine. Until the engine is attached, a store never plays, so there are
// no gains to recompute and nothing to stop.

void CSampleStore::RecomputeGains() {}

void CSampleStore::StopAudioForRelease() noexcept {}

} // namespace ondrix
