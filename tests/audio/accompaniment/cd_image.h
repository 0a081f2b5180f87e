#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ondrix::test {

/// A disc image made with sox in a fresh directory: track 1 holds 2 s of a 440 Hz tone, track 2 3 s of
/// 880 Hz, as CD audio (44.1 kHz, 16-bit little-endian stereo) in one ".bin" file named by a cue sheet.
/// The directory is removed with the object.
class CCdImage {
public:
    CCdImage();
    ~CCdImage();
    CCdImage(const CCdImage&) = delete;
    CCdImage& operator=(const CCdImage&) = delete;

    /// Whether sox made the image.
    bool IsValid() const { return !m_bytes.empty(); }
    /// The cue sheet's path.
    const std::string& CuePath() const { return m_cue; }
    /// The bytes of a track (1 or 2) as the image holds them.
    std::vector<uint8_t> TrackBytes(int track) const;
    /// Every byte of the image.
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

    static constexpr uint32_t kTrack1Bytes = 2 * 44100 * 4;
    static constexpr uint32_t kTrack2Bytes = 3 * 44100 * 4;

private:
    std::string m_dir;
    std::string m_cue;
    std::vector<uint8_t> m_bytes;
};

} // namespace ondrix::test
