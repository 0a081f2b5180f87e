#include "document/core/status_text.h"

#include "document/core/text_format.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <algorithm>

namespace ondrix {

std::string TrackStatusText(uint32_t currentTrack, uint32_t tracks) {
    return FormatTextId(str::kTrackField, {(long long)currentTrack + 1, (long long)tracks});
}

std::string ByteSizeText(uint64_t bytes) {
    if (bytes < 1024) {
        return FormatTextId(str::kBytesText, {(long long)bytes});
    }
    std::string text = bytes < 1048576
                           ? FormatTextId(str::kKiloBytesText, {double(bytes) * 0.0009765625})
                           : FormatTextId(str::kMegaBytesText, {double(bytes) * 9.5367431640625e-07});
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string BitsStatusText(uint32_t bits) {
    return LoadString(bits == 8 ? str::kBits8Text : str::kBits16Text);
}

std::string StereoStatusText(bool stereo) {
    return LoadString(stereo ? str::kStereoText : str::kMonoText);
}

std::string RateStatusText(uint32_t rate) {
    return FormatTextId(str::kStatusRateText, {(long long)rate});
}

std::string StatusFieldText(int field, const StatusFacts& facts,
                            const std::function<std::string(int64_t)>& timeText) {
    // while recording, the length grows by what was recorded; playback leaves it as it is
    const bool growing = facts.recording && facts.busy;
    switch (field) {
    case 1:
        return TrackStatusText(facts.currentTrack, facts.tracks);
    case 2:
        return timeText(facts.busy ? int64_t(facts.enginePosition) : int64_t(facts.cursor));
    case 3:
        if (growing) {
            return timeText(int64_t(facts.enginePosition) + (facts.overwrite ? 0 : int64_t(facts.frames)));
        }
        return timeText(int64_t(facts.frames));
    case 4:
        if (growing) {
            return ByteSizeText(uint64_t(facts.enginePosition) * facts.blockAlign +
                                (facts.overwrite ? 0 : facts.dataSize));
        }
        return ByteSizeText(facts.dataSize);
    case 5:
        return BitsStatusText(facts.bits);
    case 6:
        return StereoStatusText(facts.stereo);
    case 7:
        return RateStatusText(facts.rate);
    default:
        return {};
    }
}

} // namespace ondrix
