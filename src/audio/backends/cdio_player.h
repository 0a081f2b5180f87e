#pragma once

#include "audio/cd_device.h"
#include "audio/pcm_feeder.h"

#include <cdio/cdio.h>
#include <cdio/paranoia/paranoia.h>

#include <memory>
#include <string>

namespace ondrix {

/// An audio CD read by digital extraction: libcdio gives the table of contents, the tracks' sectors are
/// read (through cdparanoia's error correction on a real drive, directly from a disc image) and played
/// on an output device of the program's sound system.
class CCdioPlayer final : public ICdPlayer, private IPcmProducer {
public:
    /// Opens a drive or a ".cue" image by name (empty: libcdio's default drive); nullptr when there is
    /// none or it holds no disc.
    static std::unique_ptr<CCdioPlayer> Open(const std::string& source, const AccompanimentOutput& output);
    ~CCdioPlayer() override;

    bool TrackSectors(int track, uint32_t& sectors) override;
    bool Play(int track, bool toTrackEnd, IPlayEndListener& listener) override;
    void Stop() noexcept override;

private:
    CCdioPlayer(CdIo_t* cdio, const AccompanimentOutput& output);
    bool IsAudioTrack(int track);
    int LastAudioTrack();
    void OpenParanoia();
    uint32_t Produce(uint8_t* out, uint32_t capacity, bool& failed) override;

    CdIo_t* m_cdio;
    AccompanimentOutput m_output;
    cdrom_drive_t* m_drive = nullptr;
    cdrom_paranoia_t* m_paranoia = nullptr;
    lsn_t m_next = 0; // the next sector to play
    lsn_t m_end = 0;  // one past the last sector to play
    CPcmFeeder m_feeder;
    IPlayEndListener* m_listener = nullptr;
};

} // namespace ondrix
