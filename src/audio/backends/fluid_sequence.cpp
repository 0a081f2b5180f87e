#include "audio/backends/fluid_sequence.h"

#include <algorithm>
#include <chrono>

namespace ondrix {

namespace {
constexpr int kRate = 44100;
constexpr uint32_t kFrameBytes = 4;     // 16-bit stereo
constexpr uint32_t kRenderFrames = 512; // the player's end is seen within this many frames
constexpr auto kWatchInterval = std::chrono::milliseconds(10);
} // namespace

CFluidSequence::CFluidSequence(std::vector<uint8_t> midi, const AccompanimentOutput& output)
    : m_midi(std::move(midi)), m_output(output) {}

std::unique_ptr<CFluidSequence> CFluidSequence::Open(std::vector<uint8_t> midi, const std::string& soundFont,
                                                     const AccompanimentOutput& output) {
    std::unique_ptr<CFluidSequence> sequence(new CFluidSequence(std::move(midi), output));
    sequence->m_settings = new_fluid_settings();
    if (!sequence->m_settings) {
        return nullptr;
    }
    fluid_settings_setnum(sequence->m_settings, "synth.sample-rate", kRate);
    sequence->m_synth = new_fluid_synth(sequence->m_settings);
    if (!sequence->m_synth || fluid_synth_sfload(sequence->m_synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        return nullptr;
    }
    return sequence;
}

CFluidSequence::~CFluidSequence() {
    Stop();
    if (m_synth) {
        delete_fluid_synth(m_synth);
    }
    if (m_settings) {
        delete_fluid_settings(m_settings);
    }
}

bool CFluidSequence::CreatePlayer(bool systemTiming) {
    fluid_settings_setstr(m_settings, "player.timing-source", systemTiming ? "system" : "sample");
    m_player = new_fluid_player(m_synth);
    if (!m_player || fluid_player_add_mem(m_player, m_midi.data(), m_midi.size()) != FLUID_OK) {
        DeletePlayer();
        return false;
    }
    fluid_player_set_tempo(m_player, FLUID_PLAYER_TEMPO_EXTERNAL_BPM, m_tempo);
    return true;
}

void CFluidSequence::DeletePlayer() noexcept {
    if (m_player) {
        fluid_player_stop(m_player);
        fluid_player_join(m_player);
        delete_fluid_player(m_player);
        m_player = nullptr;
    }
}

bool CFluidSequence::SetPort(int port) {
    Stop();
    if (port < 0) {
        m_port.reset();
        return true;
    }
    m_port = CAlsaSeqOutput::Open(port);
    return m_port != nullptr;
}

void CFluidSequence::SetTempo(int beatsPerMinute) {
    std::lock_guard lock(m_mutex);
    m_tempo = beatsPerMinute;
    if (m_player) {
        fluid_player_set_tempo(m_player, FLUID_PLAYER_TEMPO_EXTERNAL_BPM, beatsPerMinute);
    }
}

bool CFluidSequence::Play(IPlayEndListener& listener) {
    Stop();
    {
        std::lock_guard lock(m_mutex);
        if (!CreatePlayer(m_port != nullptr)) {
            return false;
        }
        if (m_port) {
            fluid_player_set_playback_callback(m_player, &CFluidSequence::ForwardEvent, this);
        }
        if (fluid_player_play(m_player) != FLUID_OK) {
            DeletePlayer();
            return false;
        }
    }
    if (m_port) {
        m_watchStop = false;
        m_watcher = std::thread([this, &listener] { WatchPort(listener); });
        return true;
    }
    if (!m_feeder.Start(m_output, AudioFormat{2, kRate, 16}, *this, listener)) {
        std::lock_guard lock(m_mutex);
        DeletePlayer();
        return false;
    }
    return true;
}

void CFluidSequence::Stop() noexcept {
    m_feeder.Stop();
    if (m_watcher.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_watchStop = true;
        }
        m_watchWake.notify_all();
        m_watcher.join();
    }
    std::lock_guard lock(m_mutex);
    DeletePlayer();
    if (m_synth) {
        fluid_synth_all_sounds_off(m_synth, -1);
    }
    if (m_port) {
        m_port->AllNotesOff();
    }
}

bool CFluidSequence::PlayerDone() {
    // The player reports done only after a grace time of silence past the file's last event; the file
    // ends for the listener when the player's clock reaches its last tick.
    const int total = fluid_player_get_total_ticks(m_player);
    return fluid_player_get_status(m_player) == FLUID_PLAYER_DONE ||
           (total > 0 && fluid_player_get_current_tick(m_player) >= total);
}

uint32_t CFluidSequence::Produce(uint8_t* out, uint32_t capacity, bool& failed) {
    std::lock_guard lock(m_mutex);
    uint32_t written = 0;
    while (capacity - written >= kFrameBytes && !PlayerDone()) {
        const int frames = int(std::min(kRenderFrames, (capacity - written) / kFrameBytes));
        if (fluid_synth_write_s16(m_synth, frames, out + written, 0, 2, out + written, 1, 2) != FLUID_OK) {
            failed = true;
            return 0;
        }
        written += uint32_t(frames) * kFrameBytes;
    }
    return written;
}

void CFluidSequence::WatchPort(IPlayEndListener& listener) {
    std::unique_lock lock(m_mutex);
    while (!m_watchStop && !PlayerDone()) {
        m_watchWake.wait_for(lock, kWatchInterval);
    }
    if (!m_watchStop) {
        lock.unlock();
        listener.OnPlayEnded(false);
    }
}

int CFluidSequence::ForwardEvent(void* data, fluid_midi_event_t* event) {
    auto* self = static_cast<CFluidSequence*>(data);
    const int type = fluid_midi_event_get_type(event);
    const int status = type | fluid_midi_event_get_channel(event);
    switch (type) {
    case 0x80:
    case 0x90:
    case 0xA0:
        self->m_port->Send(status, fluid_midi_event_get_key(event), fluid_midi_event_get_velocity(event));
        break;
    case 0xB0:
        self->m_port->Send(status, fluid_midi_event_get_control(event), fluid_midi_event_get_value(event));
        break;
    case 0xC0:
        self->m_port->Send(status, fluid_midi_event_get_program(event), 0);
        break;
    case 0xD0:
        self->m_port->Send(status, fluid_midi_event_get_value(event), 0);
        break;
    case 0xE0:
        self->m_port->Send(status, fluid_midi_event_get_pitch(event), 0);
        break;
    default:
        break;
    }
    return FLUID_OK;
}

} // namespace ondrix
