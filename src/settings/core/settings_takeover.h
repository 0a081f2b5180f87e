#pragma once

#include "settings/core/settings.h"
#include "settings/core/settings_host.h"

namespace ondrix {

/// Takes the values the settings sheet's pages chose into settings, in this order: the view options,
/// the shortcuts (installed through host), the synchronous playback format, the temporary paths
/// (ApplyTempPaths), the record, synchronous-playback and MIDI devices with their buffers, the
/// playback device and buffer, and the user mode.
void TakeOverSettings(const Settings& chosen, Settings& settings, ISettingsHost& host);

} // namespace ondrix
