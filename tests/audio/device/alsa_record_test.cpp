// Recording through ALSA's "default" device on the private PulseAudio null sink: what is played into the
// sink comes back from its monitor, and an input the worker leaves waiting overruns visibly.
#include "audio/audio_backends.h"
#include "audio_test_support.h"
#include "resources/string_ids.h"
#include "sound_server_test.h"
#include "store/data_file.h"
#include "store/sample_store.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kRate = 44100;

using AlsaRecording = SoundServerTest;

/// A stereo sine of a frequency at a third of full scale.
std::vector<int16_t> Tone(double frequency, uint32_t frames) {
    std::vector<int16_t> samples;
    for (uint32_t f = 0; f < frames; ++f) {
        const auto value = int16_t(std::lround(10000.0 * std::sin(2.0 * M_PI * frequency * f / kRate)));
        samples.insert(samples.end(), {value, value});
    }
    return samples;
}

/// The frequency of the left channel from its rising zero crossings over frames first..first+count-1.
double FrequencyOf(const std::vector<int16_t>& samples, std::size_t first, std::size_t count) {
    int crossings = 0;
    std::size_t firstCrossing = 0;
    std::size_t lastCrossing = 0;
    for (std::size_t f = first + 1; f < first + count; ++f) {
        if (samples[2 * (f - 1)] < 0 && samples[2 * f] >= 0) {
            if (crossings == 0) {
                firstCrossing = f;
            }
            lastCrossing = f;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : double(crossings - 1) * kRate / double(lastCrossing - firstCrossing);
}

/// The longest run of silent frames (both channels 0).
std::size_t LongestSilence(const std::vector<int16_t>& samples) {
    std::size_t longest = 0;
    std::size_t run = 0;
    for (std::size_t f = 0; 2 * f + 1 < samples.size(); ++f) {
        run = samples[2 * f] == 0 && samples[2 * f + 1] == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

/// A memory data file whose writes stall once, after a number of writes: a worker held up (by a slow
/// disk, say) while the input goes on capturing.
class StallingFile final : public CDataFile {
public:
    StallingFile(int stallAfterWrites, std::chrono::milliseconds stall)
        : m_stallAfter(stallAfterWrites), m_stall(stall) {}
    std::size_t ReadAt(uint64_t offset, void* buffer, std::size_t count) override {
        return m_memory.ReadAt(offset, buffer, count);
    }
    void WriteAt(uint64_t offset, const void* buffer, std::size_t count) override {
        if (++m_writes == m_stallAfter) {
            std::this_thread::sleep_for(m_stall);
        }
        m_memory.WriteAt(offset, buffer, count);
    }
    uint64_t GetLength() const override { return m_memory.GetLength(); }
    void SetLength(uint64_t length) override { m_memory.SetLength(length); }

private:
    CMemoryDataFile m_memory;
    std::atomic<int> m_writes{0};
    const int m_stallAfter;
    const std::chrono::milliseconds m_stall;
};

class AdoptingStore : public CSampleStore {
public:
    using CSampleStore::AdoptDataFile;
};

} // namespace

TEST_F(AlsaRecording, AToneIntoTheSinkEndsUpInTheTakeFromItsMonitor) {
    CEngineWaiter listener;
    CSampleStore tone;
    MakeStore16(tone, 2, kRate, true, Tone(1000.0, kRate * 3));
    CSampleStore take;
    ASSERT_TRUE(take.Create(STORE_MEMORY, "", 16, 2, kRate, true));
    ASSERT_TRUE(take.StartRecording(-1, 65536, &listener));
    ASSERT_TRUE(tone.StartPlayback(-1, 65536, -1, -1, false, &listener));
    take.TogglePause();
    ASSERT_TRUE(WaitUntil([&] { return take.GetAudioPosition() >= kRate * 2; }, std::chrono::seconds(30)));
    take.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_RECORDSTOPPED));
    tone.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));
    EXPECT_EQ(listener.Last(WM_RECORDSTOPPED).wParam, 0u);

    const auto samples = Decode16(AllBytes(take));
    ASSERT_GE(samples.size(), std::size_t(kRate) * 4);
    // the second half second into the take: the tone plays by then
    const std::size_t first = kRate / 2;
    int peak = 0;
    for (std::size_t f = first; f < first + kRate / 2; ++f) {
        peak = std::max(peak, std::abs(int(samples[2 * f])));
    }
    EXPECT_GT(peak, 5000) << "the take is silent";
    EXPECT_NEAR(FrequencyOf(samples, first, kRate / 2), 1000.0, 10.0);
}

TEST_F(AlsaRecording, AnOverrunOfAStalledWorkerIsFilledWithSilenceAndReported) {
    // The sound server queues about 4 MiB of a capture stream for a client that does not read, so the
    // worker has to stall longer than that holds: 16 s at 88200 Hz stereo (11.9 s fit) loses some 4 s.
    constexpr uint32_t kTakeRate = 88200;
    CEngineWaiter listener;
    CSampleStore tone;
    MakeStore16(tone, 2, kRate, true, Tone(440.0, kRate * 32));
    AdoptingStore take;
    take.AdoptDataFile(std::make_unique<StallingFile>(4, std::chrono::milliseconds(16000)), STORE_MEMORY, 0,
                       "", 16, 2, kTakeRate, 0);
    ASSERT_TRUE(tone.StartPlayback(-1, 65536, -1, -1, false, &listener));
    ASSERT_TRUE(take.StartRecording(-1, 16384, &listener)); // 4096 frames a buffer
    const auto started = std::chrono::steady_clock::now();
    take.TogglePause();
    std::this_thread::sleep_for(std::chrono::seconds(22));
    take.StopAudio();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    ASSERT_TRUE(listener.WaitFor(WM_RECORDSTOPPED));
    tone.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));

    const AudioMessage stop = listener.Last(WM_RECORDSTOPPED);
    ASSERT_EQ(stop.wParam, str::kRecordOverrunText) << stop.errorText;
    const std::size_t open = stop.errorText.find(" frames (");
    ASSERT_NE(open, std::string::npos) << stop.errorText;
    const long lostMs = std::stol(stop.errorText.substr(open + 9));
    EXPECT_GT(lostMs, 1500) << stop.errorText;
    EXPECT_LT(lostMs, 6000) << stop.errorText;
    // the take is as long as the time it ran: the gap is made up, so it keeps in time with the playback
    const auto samples = Decode16(AllBytes(take));
    const double taken = double(samples.size() / 2) / kTakeRate;
    EXPECT_NEAR(taken, seconds, 0.5);
    // and the gap is silence (the tone sounds everywhere else)
    EXPECT_GE(LongestSilence(samples), std::size_t(lostMs - 100) * kTakeRate / 1000);
}
