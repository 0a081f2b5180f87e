#pragma once

#include "audio/backends/alsa_seq_output.h"
#include "audio/midi_device.h"
#include "audio/pcm_feeder.h"

#include <fluidsynth.h>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace ondrix {

/// A MIDI file on FluidSynth's player. Port -1 plays through FluidSynth's synthesizer, whose sound is
/// rendered into an output device of the program's sound system; a port from 0 sends the file's
/// channel messages to that ALSA sequencer port instead. Either way the sequence's own worker sees the
/// player finish and tells the listener.
class CFluidSequence final : public IMidiSequence, private IPcmProducer {
public:
    /// Opens the file's bytes (a Standard MIDI File) with the sound font; nullptr when FluidSynth
    /// cannot take them.
    static std::unique_ptr<CFluidSequence> Open(std::vector<uint8_t> midi, const std::string& soundFont,
                                                const AccompanimentOutput& output);
    ~CFluidSequence() override;

    bool SetPort(int port) override;
    void SetTempo(int beatsPerMinute) override;
    bool Play(IPlayEndListener& listener) override;
    void Stop() noexcept override;

private:
    CFluidSequence(std::vector<uint8_t> midi, const AccompanimentOutput& output);
    bool CreatePlayer(bool systemTiming);
    void DeletePlayer() noexcept;
    bool PlayerDone();
    uint32_t Produce(uint8_t* out, uint32_t capacity, bool& failed) override;
    void WatchPort(IPlayEndListener& listener);
    static int ForwardEvent(void* data, fluid_midi_event_t* event);

    std::vector<uint8_t> m_midi;
    AccompanimentOutput m_output;
    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
    fluid_player_t* m_player = nullptr;
    std::mutex m_mutex; // guards the player against the worker that renders or watches it
    int m_tempo = 120;
    std::unique_ptr<CAlsaSeqOutput> m_port;
    CPcmFeeder m_feeder;
    std::thread m_watcher;
    std::condition_variable m_watchWake;
    bool m_watchStop = false;
};

} // namespace ondrix
