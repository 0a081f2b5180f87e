#pragma once

#include "settings/core/settings.h"
#include "settings/core/settings_host.h"

namespace ondrix {

/// Takes over the temporary paths chosen on the "Memory" page. A changed editor path with documents
/// open asks question 1066 first: Yes closes every document (saving as the user decides) and takes the
/// path; No, Cancel or a refused save keep the old one. The record and synchronous-playback paths are
/// taken at once. A changed clipboard path is taken and the custom clipboard is made again on it.
void ApplyTempPaths(const TempPathSettings& chosen, TempPathSettings& paths, ISettingsHost& host);

} // namespace ondrix
