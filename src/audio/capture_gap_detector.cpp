#include "audio/capture_gap_detector.h"

#include <algorithm>

namespace ondrix {

CCaptureGapDetector::CCaptureGapDetector(uint32_t rate, uint64_t periodFrames, uint64_t bufferFrames) noexcept
    : m_rate(rate), m_periodFrames(std::max<uint64_t>(1, periodFrames)),
      m_fullFrames(bufferFrames > periodFrames ? bufferFrames - periodFrames : 1) {}

void CCaptureGapDetector::Start(int64_t nowMicros) noexcept {
    m_startMicros = nowMicros;
    m_delivered = 0;
    m_filled = 0;
    m_haveBase = false;
    m_overflowSeen = false;
    m_settling = false;
}

int64_t CCaptureGapDetector::Lag(int64_t nowMicros, uint64_t pending) const noexcept {
    const int64_t elapsed = std::max<int64_t>(0, nowMicros - m_startMicros);
    const int64_t captured = elapsed / 1000000 * m_rate + elapsed % 1000000 * m_rate / 1000000;
    return captured - int64_t(m_delivered + pending + m_filled);
}

uint64_t CCaptureGapDetector::AfterRead(int64_t nowMicros, uint64_t got, uint64_t pending) noexcept {
    m_delivered += got;
    if (got + pending >= m_fullFrames) {
        m_overflowSeen = true;
    }
    const int64_t lag = Lag(nowMicros, pending);
    if (!m_haveBase) {
        m_haveBase = true;
        m_base = m_windowMin = lag;
        m_windowEnd = nowMicros + int64_t(kWindowMs) * 1000;
    }
    if (!m_overflowSeen) {
        // A healthy read: it shapes the baseline, which follows the drift of the clocks window by window.
        m_base = std::min(m_base, lag);
        m_windowMin = std::min(m_windowMin, lag);
        if (nowMicros >= m_windowEnd) {
            m_base = m_windowMin;
            m_windowMin = lag;
            m_windowEnd = nowMicros + int64_t(kWindowMs) * 1000;
        }
        return 0;
    }
    if (pending >= m_periodFrames) {
        return 0; // still reading the backlog: its lag says nothing yet
    }
    const int64_t excess = lag - m_base;
    if (!m_settling) {
        m_settling = true;
        m_settleMin = excess;
        m_settleEnd = nowMicros + int64_t(kSettleMs) * 1000;
        return 0;
    }
    m_settleMin = std::min(m_settleMin, excess);
    if (nowMicros < m_settleEnd) {
        return 0;
    }
    m_settling = false;
    m_overflowSeen = false;
    m_windowEnd = nowMicros + int64_t(kWindowMs) * 1000;
    if (m_settleMin <= MsToFrames(kThresholdMs)) {
        // the device was full but kept everything, or lost too little to tell from jitter: what the lag
        // rose by is the baseline from now on
        m_base += std::max<int64_t>(0, m_settleMin);
        m_windowMin = m_base;
        return 0;
    }
    m_windowMin = m_base;
    const auto lost = uint64_t(m_settleMin);
    m_filled += lost;
    m_lostTotal += lost;
    return lost;
}

} // namespace ondrix
