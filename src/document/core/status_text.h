#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ondrix {

/// Status field 1: "Tr. %d/%d" with the current track counted from 1 and the number of tracks.
std::string TrackStatusText(uint32_t currentTrack, uint32_t tracks);
/// Status field 4: "%d Byte" below 1024, else "%.1f KB" below 1048576, else "%.1f MB", with a decimal
/// comma ("1,5 MB").
std::string ByteSizeText(uint64_t bytes);
/// Status field 5: "8 Bit" or "16 Bit".
std::string BitsStatusText(uint32_t bits);
/// Status field 6: "Mono" or "Stereo".
std::string StereoStatusText(bool stereo);
/// Status field 7: "%d Hz".
std::string RateStatusText(uint32_t rate);

/// What the status fields show of a document: its current track, cursor and sound and, while its engine
/// runs, the engine's position.
struct StatusFacts {
    uint32_t currentTrack = 0;   ///< index of the current track
    uint32_t tracks = 0;         ///< number of tracks
    int32_t cursor = 0;          ///< the cursor frame
    uint64_t frames = 0;         ///< the sound's length in frames
    uint64_t dataSize = 0;       ///< the sound's data size in bytes
    uint32_t blockAlign = 0;     ///< bytes per frame
    uint32_t bits = 0;           ///< bits per sample
    bool stereo = false;         ///< the stereo playback flag
    uint32_t rate = 0;           ///< the sampling rate
    bool busy = false;           ///< the sound's (or the recording's) engine runs
    bool recording = false;      ///< the engine records: the length grows by what was recorded
    uint32_t enginePosition = 0; ///< the engine's position in frames
    bool overwrite = false;      ///< a recording overwrites the sound instead of adding to it
};

/// The text of status field 1 to 7 (empty for any other field); positions and lengths in frames are
/// turned into text by timeText.
std::string StatusFieldText(int field, const StatusFacts& facts,
                            const std::function<std::string(int64_t)>& timeText);

} // namespace ondrix
