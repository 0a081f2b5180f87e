#include "audio/backends/cdio_player.h"

#include <cdio/paranoia/cdda.h>

#include <algorithm>
#include <cstring>

namespace ondrix {

namespace {

bool IsImageDriver(driver_id_t driver) {
    return driver == DRIVER_BINCUE || driver == DRIVER_CDRDAO || driver == DRIVER_NRG;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           std::equal(tail.rbegin(), tail.rend(), text.rbegin(), [](char a, char b) {
               return std::tolower((unsigned char)a) == std::tolower((unsigned char)b);
           });
}

} // namespace

std::unique_ptr<CCdioPlayer> CCdioPlayer::Open(const std::string& source, const AccompanimentOutput& output) {
    CdIo_t* cdio = nullptr;
    if (source.empty()) {
        char* device = cdio_get_default_device(nullptr);
        if (device) {
            cdio = cdio_open(device, DRIVER_DEVICE);
            cdio_free(device);
        }
    } else if (EndsWith(source, ".cue")) {
        cdio = cdio_open_cue(source.c_str());
    } else {
        cdio = cdio_open(source.c_str(), DRIVER_UNKNOWN);
    }
    if (!cdio) {
        return nullptr;
    }
    std::unique_ptr<CCdioPlayer> player(new CCdioPlayer(cdio, output));
    if (cdio_get_num_tracks(cdio) == CDIO_INVALID_TRACK || player->LastAudioTrack() == 0) {
        return nullptr;
    }
    if (!IsImageDriver(cdio_get_driver_id(cdio))) {
        player->OpenParanoia();
    }
    return player;
}

CCdioPlayer::CCdioPlayer(CdIo_t* cdio, const AccompanimentOutput& output) : m_cdio(cdio), m_output(output) {}

CCdioPlayer::~CCdioPlayer() {
    Stop();
    if (m_paranoia) {
        cdio_paranoia_free(m_paranoia);
    }
    if (m_drive) {
        cdio_cddap_close_no_free_cdio(m_drive);
    }
    cdio_destroy(m_cdio);
}

void CCdioPlayer::OpenParanoia() {
    m_drive = cdio_cddap_identify_cdio(m_cdio, CDDA_MESSAGE_FORGETIT, nullptr);
    if (m_drive && cdio_cddap_open(m_drive) == 0) {
        m_paranoia = cdio_paranoia_init(m_drive);
    }
    if (m_paranoia) {
        paranoia_modeset(m_paranoia, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
    }
}

bool CCdioPlayer::IsAudioTrack(int track) {
    const track_t first = cdio_get_first_track_num(m_cdio);
    const track_t last = cdio_get_last_track_num(m_cdio);
    return first != CDIO_INVALID_TRACK && track >= first && track <= last &&
           cdio_get_track_format(m_cdio, track_t(track)) == TRACK_FORMAT_AUDIO;
}

int CCdioPlayer::LastAudioTrack() {
    const track_t first = cdio_get_first_track_num(m_cdio);
    for (int track = cdio_get_last_track_num(m_cdio); first != CDIO_INVALID_TRACK && track >= first;
         --track) {
        if (IsAudioTrack(track)) {
            return track;
        }
    }
    return 0;
}

bool CCdioPlayer::TrackSectors(int track, uint32_t& sectors) {
    if (!IsAudioTrack(track)) {
        return false;
    }
    const lsn_t first = cdio_get_track_lsn(m_cdio, track_t(track));
    const lsn_t last = cdio_get_track_last_lsn(m_cdio, track_t(track));
    if (first == CDIO_INVALID_LSN || last == CDIO_INVALID_LSN || last < first) {
        return false;
    }
    sectors = uint32_t(last - first + 1);
    return true;
}

bool CCdioPlayer::Play(int track, bool toTrackEnd, IPlayEndListener& listener) {
    const bool cutOff = m_feeder.IsPlaying();
    IPlayEndListener* previous = m_listener;
    Stop();
    if (cutOff && previous) {
        previous->OnPlayEnded(false); // the play that was cut off ends as an aborted one
    }
    uint32_t sectors = 0;
    if (!TrackSectors(track, sectors)) {
        return false;
    }
    m_next = cdio_get_track_lsn(m_cdio, track_t(track));
    m_end =
        toTrackEnd ? m_next + lsn_t(sectors) : cdio_get_track_last_lsn(m_cdio, track_t(LastAudioTrack())) + 1;
    if (m_paranoia) {
        cdio_paranoia_seek(m_paranoia, m_next, SEEK_SET);
    }
    m_listener = &listener;
    if (!m_feeder.Start(m_output, AudioFormat{2, 44100, 16}, *this, listener)) {
        m_listener = nullptr;
        return false;
    }
    return true;
}

void CCdioPlayer::Stop() noexcept {
    m_feeder.Stop();
    m_listener = nullptr;
}

uint32_t CCdioPlayer::Produce(uint8_t* out, uint32_t capacity, bool& failed) {
    const uint32_t room = capacity / kCdBytesPerSector;
    const uint32_t count = uint32_t(std::min<lsn_t>(lsn_t(room), m_end - m_next));
    if (count == 0) {
        return 0;
    }
    if (m_paranoia) {
        for (uint32_t i = 0; i < count; ++i) {
            const int16_t* sector = cdio_paranoia_read(m_paranoia, nullptr);
            if (!sector) {
                failed = true;
                return 0;
            }
            std::memcpy(out + i * kCdBytesPerSector, sector, kCdBytesPerSector);
        }
    } else if (cdio_read_audio_sectors(m_cdio, out, m_next, count) != DRIVER_OP_SUCCESS) {
        failed = true;
        return 0;
    }
    m_next += lsn_t(count);
    return count * kCdBytesPerSector;
}

} // namespace ondrix
