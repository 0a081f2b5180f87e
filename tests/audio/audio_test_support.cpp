#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <thread>

namespace ondrix::test {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

bool SimRig::WaitOutputQueued(std::size_t count) {
    return WaitUntil([&] { return backend.OutputQueued() >= count; });
}

bool SimRig::WaitInputQueued(std::size_t count) {
    return WaitUntil([&] { return backend.InputQueued() >= count; });
}

bool SimRig::RunToStop(CEngineWaiter& waiter, uint32_t stopMessage, uint32_t stepFrames, uint32_t rate) {
    const auto stopped = [&] { return waiter.Count(stopMessage) > 0; };
    for (int step = 0; step < 10000 && !stopped(); ++step) {
        clock.AdvanceFrames(stepFrames, rate);
        WaitUntil([&] { return stopped() || backend.OutputQueued() + backend.InputQueued() > 0; });
    }
    return stopped();
}

std::vector<int16_t> Decode16(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> samples;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        samples.push_back(int16_t(uint16_t(bytes[i] | (bytes[i + 1] << 8))));
    }
    return samples;
}

void MakeStore16(CSampleStore& store, uint32_t tracks, uint32_t rate, bool stereo,
                 const std::vector<int16_t>& samples) {
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, tracks, rate, stereo));
    const auto bytes = Samples16(samples);
    if (!bytes.empty()) {
        ASSERT_TRUE(store.AppendData(bytes.data(), uint32_t(bytes.size())));
    }
}

void MakeStore8(CSampleStore& store, uint32_t tracks, uint32_t rate, bool stereo,
                const std::vector<uint8_t>& samples) {
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, tracks, rate, stereo));
    if (!samples.empty()) {
        ASSERT_TRUE(store.AppendData(samples.data(), uint32_t(samples.size())));
    }
}

} // namespace ondrix::test
