#include "audio/counting_listener.h"
#include "audio/pcm_feeder.h"
#include "audio/sim_session.h"
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

using namespace ondrix;
using namespace ondrix::test;

namespace {

const AudioFormat kCdFormat{2, 44100, 16};

/// Hands out a counting byte pattern of a fixed length, in pieces as large as the feeder asks.
class CCountingProducer : public IPcmProducer {
public:
    explicit CCountingProducer(uint32_t total, uint32_t failAt = 0) : m_total(total), m_failAt(failAt) {}
    uint32_t Produce(uint8_t* out, uint32_t capacity, bool& failed) override {
        if (m_failAt != 0 && m_made >= m_failAt) {
            failed = true;
            return 0;
        }
        const uint32_t count = std::min(capacity, m_total - m_made);
        for (uint32_t i = 0; i < count; ++i) {
            out[i] = uint8_t((m_made + i) * 7);
        }
        m_made += count;
        return count;
    }
    std::vector<uint8_t> Expected() const {
        std::vector<uint8_t> bytes(m_total);
        for (uint32_t i = 0; i < m_total; ++i) {
            bytes[i] = uint8_t(i * 7);
        }
        return bytes;
    }

private:
    uint32_t m_total;
    uint32_t m_failAt;
    uint32_t m_made = 0;
};

} // namespace

TEST(PcmFeeder, PlaysEveryProducedByteAndTellsTheEndOnce) {
    CSimSession sim(CSimClock::Mode::Unpaced, true);
    CCountingProducer producer(10 * 4096 + 12);
    CountingListener listener;
    CPcmFeeder feeder;
    ASSERT_TRUE(feeder.Start({-1, 4096}, kCdFormat, producer, listener));
    ASSERT_TRUE(WaitUntil([&] { return listener.ended.load() == 1; }));
    EXPECT_FALSE(listener.lastFailed.load());
    EXPECT_EQ(sim.backend.TakeCapture(), producer.Expected());
    EXPECT_FALSE(sim.backend.IsOutputOpen());
    EXPECT_FALSE(feeder.IsPlaying());
    feeder.Stop();
    EXPECT_EQ(listener.ended.load(), 1);
    // Buffers are whole frames of the asked size: 4096 bytes each, the rest in the last.
    const std::vector<uint32_t> lengths = sim.backend.TakeQueuedLengths();
    ASSERT_EQ(lengths.size(), 11u);
    EXPECT_EQ(lengths.front(), 4096u);
    EXPECT_EQ(lengths.back(), 12u);
}

TEST(PcmFeeder, StopCutsThePlayOffWithoutTellingTheListener) {
    CSimSession sim(CSimClock::Mode::RealTime, true);
    CCountingProducer producer(44100 * 4 * 10); // ten seconds
    CountingListener listener;
    CPcmFeeder feeder;
    ASSERT_TRUE(feeder.Start({-1, 8192}, kCdFormat, producer, listener));
    ASSERT_TRUE(WaitUntil([&] { return !sim.backend.TakeCapture().empty(); }));
    feeder.Stop();
    EXPECT_FALSE(sim.backend.IsOutputOpen());
    EXPECT_EQ(listener.ended.load(), 0);
    EXPECT_EQ(sim.backend.OutputResets(), 1);
}

TEST(PcmFeeder, DeviceThatDoesNotOpenStartsNothing) {
    CSimSession sim(CSimClock::Mode::Unpaced, true);
    CCountingProducer producer(4096);
    CountingListener listener;
    CPcmFeeder feeder;
    sim.backend.FailNextOpen(DeviceResult::Allocated);
    EXPECT_FALSE(feeder.Start({-1, 4096}, kCdFormat, producer, listener));
    EXPECT_FALSE(feeder.Start({5, 4096}, kCdFormat, producer, listener)); // no such device
    EXPECT_FALSE(feeder.IsPlaying());
    EXPECT_EQ(listener.ended.load(), 0);
}

TEST(PcmFeeder, DeviceOrSourceFailingMidPlayEndsItAsFailed) {
    for (const bool deviceFails : {true, false}) {
        CSimSession sim(CSimClock::Mode::Unpaced, true);
        if (deviceFails) {
            sim.backend.FailAfterBytes(3 * 4096);
        }
        CCountingProducer producer(20 * 4096, deviceFails ? 0 : 5 * 4096);
        CountingListener listener;
        CPcmFeeder feeder;
        ASSERT_TRUE(feeder.Start({-1, 4096}, kCdFormat, producer, listener));
        ASSERT_TRUE(WaitUntil([&] { return listener.ended.load() == 1; })) << deviceFails;
        EXPECT_TRUE(listener.lastFailed.load()) << deviceFails;
        EXPECT_FALSE(sim.backend.IsOutputOpen());
    }
}

TEST(SimBackend, HoldsTwoOutputsAtOnceEachWithItsOwnCapture) {
    CSimSession sim(CSimClock::Mode::Unpaced, true);
    CCountingProducer first(8 * 4096);
    CCountingProducer second(3 * 4096 + 4);
    CountingListener firstEnd;
    CountingListener secondEnd;
    CPcmFeeder a;
    CPcmFeeder b;
    ASSERT_TRUE(a.Start({-1, 4096}, kCdFormat, first, firstEnd));
    ASSERT_TRUE(b.Start({-1, 4096}, kCdFormat, second, secondEnd));
    ASSERT_TRUE(WaitUntil([&] { return firstEnd.ended.load() == 1 && secondEnd.ended.load() == 1; }));
    EXPECT_EQ(sim.backend.OutputsOpened(), 2u);
    EXPECT_EQ(sim.backend.TakeOutputCapture(0), first.Expected());
    EXPECT_EQ(sim.backend.TakeOutputCapture(1), second.Expected());
    EXPECT_TRUE(sim.backend.TakeOutputCapture(2).empty());
    EXPECT_EQ(sim.backend.TakeCapture().size(), first.Expected().size() + second.Expected().size());
}

TEST(SimBackend, CountsTheOutputsOpenAtOnce) {
    CSimSession sim(CSimClock::Mode::Manual, true);
    CCountingProducer first(8 * 4096);
    CCountingProducer second(8 * 4096);
    CountingListener listener;
    CPcmFeeder a;
    CPcmFeeder b;
    ASSERT_TRUE(a.Start({-1, 4096}, kCdFormat, first, listener));
    ASSERT_TRUE(b.Start({-1, 4096}, kCdFormat, second, listener));
    EXPECT_EQ(sim.backend.OpenOutputCount(), 2u);
    a.Stop();
    EXPECT_EQ(sim.backend.OpenOutputCount(), 1u);
    EXPECT_TRUE(sim.backend.IsOutputOpen());
    b.Stop();
    EXPECT_FALSE(sim.backend.IsOutputOpen());
}
