#pragma once

#include "store/temp_paths.h"

#include <string>

namespace ondrix {

class CSampleStore;

/// Makes target the standard WAVE form of source: what playback hears (one or two tracks, the source's
/// rate and bits) with the source's info texts, ready to be saved. The target keeps its own progress
/// and error settings.
bool MakeStandardWave(CSampleStore& target, CSampleStore& source, StorageMode mode,
                      const std::string& directory);

} // namespace ondrix
