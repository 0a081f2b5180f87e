#include "audio/sim_clock.h"

#include "audio/sim_stream.h"

#include <algorithm>

namespace ondrix {

namespace {
constexpr uint64_t kNanosPerSecond = 1000000000u;
}

uint64_t BytesInNanos(uint64_t nanos, uint64_t bytesPerSecond) noexcept {
    const uint64_t seconds = nanos / kNanosPerSecond;
    const uint64_t rest = nanos % kNanosPerSecond;
    return seconds * bytesPerSecond + rest * bytesPerSecond / kNanosPerSecond;
}

uint64_t NanosForBytes(uint64_t bytes, uint64_t bytesPerSecond) noexcept {
    if (bytesPerSecond == 0) {
        return 0;
    }
    const uint64_t seconds = bytes / bytesPerSecond;
    const uint64_t rest = bytes % bytesPerSecond;
    return seconds * kNanosPerSecond + (rest * kNanosPerSecond + bytesPerSecond - 1) / bytesPerSecond;
}

CSimClock::CSimClock(Mode mode) noexcept : m_mode(mode), m_origin(std::chrono::steady_clock::now()) {}

uint64_t CSimClock::NowNanos() const noexcept {
    switch (m_mode) {
    case Mode::RealTime:
        return uint64_t(
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - m_origin)
                .count());
    case Mode::Manual:
        return m_manualNow.load(std::memory_order_acquire);
    case Mode::Unpaced:
        break;
    }
    return 0;
}

std::chrono::steady_clock::time_point CSimClock::ToSteady(uint64_t nanos) const noexcept {
    return m_origin + std::chrono::nanoseconds(int64_t(std::min<uint64_t>(nanos, uint64_t(INT64_MAX))));
}

void CSimClock::Advance(uint64_t nanos) {
    if (m_mode != Mode::Manual) {
        return;
    }
    std::lock_guard lock(m_mutex);
    m_manualNow.fetch_add(nanos, std::memory_order_acq_rel);
    for (CSimStream* stream : m_streams) {
        stream->Tick();
    }
}

void CSimClock::AdvanceFrames(uint64_t frames, uint32_t rate) {
    if (rate != 0) {
        Advance((frames * kNanosPerSecond + rate - 1) / rate);
    }
}

void CSimClock::Attach(CSimStream* stream) {
    std::lock_guard lock(m_mutex);
    m_streams.push_back(stream);
}

void CSimClock::Detach(CSimStream* stream) {
    std::lock_guard lock(m_mutex);
    m_streams.erase(std::remove(m_streams.begin(), m_streams.end(), stream), m_streams.end());
}

} // namespace ondrix
