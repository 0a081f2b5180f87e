#include "settings/core/accompaniment_settings.h"

#include <algorithm>

namespace ondrix {

AccompanimentOutput AccompanimentOutputOf(const Settings& settings) {
    return {settings.synchroPlay.port, uint32_t(std::max(settings.synchroPlay.buffer, 0))};
}

AccompanimentSettings AccompanimentFromSettings(const Settings& settings) {
    const RecordSettings& record = settings.record;
    AccompanimentSettings accompaniment;
    accompaniment.syncCD = record.syncCD != 0;
    accompaniment.syncTrack = record.syncTrack;
    accompaniment.syncBreak = record.syncBreak != 0;
    accompaniment.syncMidi = record.syncMidi != 0;
    accompaniment.syncMidiFile = record.syncMidiFile;
    accompaniment.syncTempo = record.syncTempo;
    accompaniment.midiPort = record.midiPort;
    accompaniment.output = AccompanimentOutputOf(settings);
    return accompaniment;
}

} // namespace ondrix
