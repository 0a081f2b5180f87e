#pragma once

#include "audio/play_end_listener.h"

#include <cstdint>
#include <memory>

namespace ondrix {

/// Audio CD sectors per second, and frames (44.1 kHz stereo 16 bit) per sector.
inline constexpr uint32_t kCdSectorsPerSecond = 75;
inline constexpr uint32_t kCdFramesPerSector = 588;
inline constexpr uint32_t kCdBytesPerSector = 2352;

/// A track length as the CD's time format gives it.
struct CdLength {
    uint32_t minutes = 0;
    uint32_t seconds = 0;
    uint32_t frames = 0; ///< sectors, 0..74
};

/// The length of a stretch of sectors.
CdLength CdLengthOfSectors(uint32_t sectors) noexcept;

/// An opened audio CD (a drive or a disc image). Destroying it stops and closes it; no listener runs
/// afterwards.
class ICdPlayer {
public:
    ICdPlayer() = default;
    ICdPlayer(const ICdPlayer&) = delete;
    ICdPlayer& operator=(const ICdPlayer&) = delete;
    virtual ~ICdPlayer() = default;

    /// The length of an audio track, in sectors; false when the disc has no such audio track.
    virtual bool TrackSectors(int track, uint32_t& sectors) = 0;
    /// Plays from the start of an audio track to its end (toTrackEnd) or to the end of the disc's last
    /// audio track, cutting off a play in progress (whose listener is told); false when it cannot.
    virtual bool Play(int track, bool toTrackEnd, IPlayEndListener& listener) = 0;
    /// Stops playing; the listener is not told.
    virtual void Stop() noexcept = 0;
};

/// The CD drive.
class ICdBackend {
public:
    virtual ~ICdBackend() = default;
    /// Opens the disc; it plays its sound on output. nullptr when there is no drive or disc.
    virtual std::unique_ptr<ICdPlayer> Open(const AccompanimentOutput& output) = 0;
};

} // namespace ondrix
