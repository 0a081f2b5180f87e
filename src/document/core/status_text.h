#pragma once

#include <cstdint>
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

} // namespace ondrix
