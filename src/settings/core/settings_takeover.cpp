#include "settings/core/settings_takeover.h"

#include "settings/core/temp_path_change.h"

namespace ondrix {

void TakeOverSettings(const Settings& chosen, Settings& settings, ISettingsHost& host) {
    settings.sampleWindow = chosen.sampleWindow;
    settings.accels = chosen.accels;
    host.SetShortcuts(settings.accels);

    SynchroPlaySettings& synchro = settings.synchroPlay;
    synchro.useFile = chosen.synchroPlay.useFile;
    synchro.sampleRate = chosen.synchroPlay.sampleRate;
    synchro.bitsPerSample = chosen.synchroPlay.bitsPerSample;
    synchro.stereo = chosen.synchroPlay.stereo;

    ApplyTempPaths(chosen.tempPath, settings.tempPath, host);

    settings.record.port = chosen.record.port;
    settings.record.buffer = chosen.record.buffer;
    synchro.port = chosen.synchroPlay.port;
    synchro.buffer = chosen.synchroPlay.buffer;
    settings.record.midiPort = chosen.record.midiPort;
    settings.record.latencyMs = chosen.record.latencyMs;
    settings.playBack.port = chosen.playBack.port;
    settings.playBack.buffer = chosen.playBack.buffer;
    settings.desktop.expertMode = chosen.desktop.expertMode;
}

} // namespace ondrix
