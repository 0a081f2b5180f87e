#pragma once

#include "audio/accompaniment_backends.h"
#include "audio/midi_file.h"

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace ondrix::test {

/// What the fake devices were asked to do.
struct DeviceLog {
    std::vector<int> tracksPlayed;
    std::vector<bool> toTrackEnd;
    std::vector<int> tempos;
    std::vector<std::string> filesOpened;
    std::vector<int> portsSet;
    int open = 0; ///< devices open now
    IPlayEndListener* playing = nullptr;
    bool noDisc = false;
};

class FakeCd final : public ICdPlayer {
public:
    explicit FakeCd(DeviceLog& log) : m_log(log) { ++m_log.open; }
    ~FakeCd() override {
        m_log.playing = nullptr;
        --m_log.open;
    }
    bool TrackSectors(int track, uint32_t& sectors) override {
        sectors = 75u * uint32_t(track);
        return track >= 1 && track <= 9;
    }
    bool Play(int track, bool toTrackEnd, IPlayEndListener& listener) override {
        if (m_log.playing) {
            std::exchange(m_log.playing, nullptr)->OnPlayEnded(false); // cut off
        }
        uint32_t sectors = 0;
        if (!TrackSectors(track, sectors)) {
            return false;
        }
        m_log.tracksPlayed.push_back(track);
        m_log.toTrackEnd.push_back(toTrackEnd);
        m_log.playing = &listener;
        return true;
    }
    void Stop() noexcept override { m_log.playing = nullptr; }

private:
    DeviceLog& m_log;
};

class FakeMidi final : public IMidiSequence {
public:
    explicit FakeMidi(DeviceLog& log) : m_log(log) { ++m_log.open; }
    ~FakeMidi() override {
        m_log.playing = nullptr;
        --m_log.open;
    }
    bool SetPort(int port) override {
        m_log.portsSet.push_back(port);
        return port < 1;
    }
    void SetTempo(int tempo) override { m_log.tempos.push_back(tempo); }
    bool Play(IPlayEndListener& listener) override {
        m_log.playing = &listener;
        return true;
    }
    void Stop() noexcept override { m_log.playing = nullptr; }

private:
    DeviceLog& m_log;
};

class FakeDevices final : public ICdBackend, public IMidiBackend {
public:
    std::unique_ptr<ICdPlayer> Open(const AccompanimentOutput&) override {
        return log.noDisc ? nullptr : std::make_unique<FakeCd>(log);
    }
    std::vector<std::string> ListPorts() override { return {}; }
    std::unique_ptr<IMidiSequence> Open(const std::string& path, const AccompanimentOutput&) override {
        log.filesOpened.push_back(path);
        return LoadMidiFile(path) ? std::make_unique<FakeMidi>(log) : nullptr;
    }
    /// The playing device reaches its end (on its worker, as the real ones do).
    void EndPlay() {
        if (log.playing) {
            std::exchange(log.playing, nullptr)->OnPlayEnded(false);
        }
    }
    DeviceLog log;
};

/// Writes a MIDI file of one track that sets 100 beats per minute and ends.
inline void WriteSmallMidiFile(const std::string& path) {
    std::ofstream(path, std::ios::binary)
        .write("MThd\0\0\0\6\0\0\0\1\1\xE0MTrk\0\0\0\x0B\0\xFF\x51\3\x09\x27\xC0\0\xFF\x2F\0", 33);
}

} // namespace ondrix::test
