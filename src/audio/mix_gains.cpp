#include "audio/mix_gains.h"

#include <algorithm>
#include <cstdlib>

namespace ondrix {

namespace {

bool IsPassThrough(const MixerBlock& m, uint32_t tracks, bool stereo) {
    if (tracks == 1) {
        return !stereo && m.volume[0] == 100 && m.mainLeft == 100 && m.balance[0] == 0;
    }
    if (tracks == 2) {
        return stereo && m.mainLeft == 100 && m.mainRight == 100 && m.volume[0] == 100 &&
               m.volume[1] == 100 && m.balance[0] == -100 && m.balance[1] == 100;
    }
    return false;
}

/// Tracks with a non-zero gain, so that silent tracks cost nothing.
struct ActiveTracks {
    std::array<uint32_t, kMaxTracks> index;
    std::array<int32_t, kMaxTracks> gain;
    uint32_t count = 0;
};

ActiveTracks Active(const std::array<int32_t, kMaxTracks>& gains, uint32_t tracks) {
    ActiveTracks active;
    for (uint32_t t = 0; t < tracks; ++t) {
        if (gains[t] != 0) {
            active.index[active.count] = t;
            active.gain[active.count] = gains[t];
            ++active.count;
        }
    }
    return active;
}

template <typename Sample> int64_t Sum(const ActiveTracks& active, const Sample* frame, int32_t offset) {
    int64_t sum = 0;
    for (uint32_t i = 0; i < active.count; ++i) {
        sum += int64_t(int32_t(frame[active.index[i]]) - offset) * active.gain[i];
    }
    return sum;
}

int16_t ReadSample16(const uint8_t* p) {
    return int16_t(uint16_t(p[0] | (p[1] << 8)));
}

} // namespace

MixGains ComputeMixGains(const MixerBlock& mixer, const uint8_t* playOff, uint32_t tracks, bool stereo) {
    MixGains gains;
    gains.channels = stereo ? 2 : 1;
    tracks = std::min<uint32_t>(tracks, kMaxTracks);
    gains.mixNeeded = !IsPassThrough(mixer, tracks, stereo);
    int32_t sumLeft = 0;
    int32_t sumRight = 0;
    for (uint32_t t = 0; t < tracks; ++t) {
        if (playOff && playOff[t] != 0) {
            gains.mixNeeded = true;
            continue;
        }
        const int32_t balance = std::clamp<int32_t>(mixer.balance[t], -100, 100);
        const int32_t volume = mixer.volume[t];
        int32_t left = stereo ? 100 - balance : 100;
        left = volume * left / 100;
        sumLeft += left;
        gains.left[t] = mixer.mainLeft * left / 100;
        int32_t right = stereo ? balance + 100 : 0;
        right = volume * right / 100;
        sumRight += right;
        gains.right[t] = mixer.mainRight * right / 100;
    }
    const int32_t most = std::max(sumLeft, sumRight);
    const int32_t scale = int32_t(tracks) * 100;
    for (uint32_t t = 0; t < tracks; ++t) {
        gains.left[t] = most == 0 ? 0 : gains.left[t] * scale / most;
        gains.right[t] = most == 0 ? 0 : gains.right[t] * scale / most;
    }
    return gains;
}

uint32_t MixFrames(const MixGains& gains, uint32_t bits, uint32_t tracks, uint8_t* out, const uint8_t* in,
                   uint32_t inBytes) noexcept {
    if (tracks == 0 || tracks > uint32_t(kMaxTracks) || (bits != 8 && bits != 16)) {
        return 0;
    }
    const uint32_t bytesPerSample = bits / 8;
    const uint32_t frames = inBytes / (tracks * bytesPerSample);
    const bool stereo = gains.channels == 2;
    const ActiveTracks left = Active(gains.left, tracks);
    const ActiveTracks right = Active(gains.right, tracks);
    const int64_t divisor = int64_t(tracks) * 100;
    if (bits == 16) {
        int16_t samples[kMaxTracks];
        for (uint32_t f = 0; f < frames; ++f) {
            const uint8_t* frame = in + std::size_t(f) * tracks * 2;
            for (uint32_t t = 0; t < tracks; ++t) {
                samples[t] = ReadSample16(frame + t * 2);
            }
            const auto put = [&out](int64_t value) {
                const int16_t clipped = int16_t(std::clamp<int64_t>(value, -32768, 32767));
                *out++ = uint8_t(uint16_t(clipped) & 0xFF);
                *out++ = uint8_t(uint16_t(clipped) >> 8);
            };
            put(Sum(left, samples, 0) / divisor);
            if (stereo) {
                put(Sum(right, samples, 0) / divisor);
            }
        }
    } else {
        for (uint32_t f = 0; f < frames; ++f) {
            const uint8_t* frame = in + std::size_t(f) * tracks;
            *out++ = uint8_t(std::clamp<int64_t>(Sum(left, frame, 128) / divisor + 128, 0, 255));
            if (stereo) {
                *out++ = uint8_t(std::clamp<int64_t>(Sum(right, frame, 128) / divisor + 128, 0, 255));
            }
        }
    }
    return frames * gains.channels * bytesPerSample;
}

void LevelsOfFrame(const uint8_t* frame, uint32_t bits, uint32_t channels, uint32_t& left,
                   uint32_t& right) noexcept {
    const auto level = [bits](const uint8_t* p) -> uint32_t {
        if (bits == 8) {
            return uint32_t(std::abs(int32_t(p[0]) - 128) * 100) >> 7;
        }
        return uint32_t(std::abs(int32_t(ReadSample16(p))) * 100) >> 15;
    };
    left = level(frame);
    right = channels == 2 ? level(frame + bits / 8) : left;
}

} // namespace ondrix
