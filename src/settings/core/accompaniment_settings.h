#pragma once

#include "audio/accompaniment.h"
#include "settings/core/settings.h"

namespace ondrix {

/// The accompaniment's settings of a recording: the "Record" keys, playing on the synchronous-playback
/// device with its buffer size.
AccompanimentSettings AccompanimentFromSettings(const Settings& settings);

/// The synchronous-playback device and buffer size, where the accompaniment plays.
AccompanimentOutput AccompanimentOutputOf(const Settings& settings);

} // namespace ondrix
