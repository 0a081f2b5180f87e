#include "audio/signal_source.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace ondrix {

CPcmSource::CPcmSource(std::vector<uint8_t> data, const AudioFormat& format, bool loop)
    : m_data(std::move(data)), m_silence(format.bitsPerSample == 8 ? 0x80 : 0), m_loop(loop) {
    const std::size_t align = std::max<uint32_t>(1, format.BlockAlign());
    m_data.resize(m_data.size() / align * align);
}

void CPcmSource::Read(uint8_t* out, std::size_t count) {
    while (count > 0) {
        if (m_position >= m_data.size()) {
            if (!m_loop || m_data.empty()) {
                std::memset(out, m_silence, count);
                return;
            }
            m_position = 0;
        }
        const std::size_t n = std::min(count, m_data.size() - m_position);
        std::memcpy(out, m_data.data() + m_position, n);
        m_position += n;
        out += n;
        count -= n;
    }
}

CGeneratorSource::CGeneratorSource(const AudioFormat& format, Function function)
    : m_format(format), m_function(std::move(function)) {}

void CGeneratorSource::Read(uint8_t* out, std::size_t count) {
    const uint32_t align = std::max<uint32_t>(1, m_format.BlockAlign());
    for (std::size_t frame = 0; frame < count / align; ++frame, ++m_frame) {
        for (uint32_t channel = 0; channel < m_format.channels; ++channel) {
            const int16_t value = m_function(m_frame, channel);
            if (m_format.bitsPerSample == 8) {
                *out++ = uint8_t((value >> 8) + 128);
            } else {
                *out++ = uint8_t(uint16_t(value) & 0xFF);
                *out++ = uint8_t(uint16_t(value) >> 8);
            }
        }
    }
}

std::unique_ptr<CGeneratorSource> CGeneratorSource::Sine(const AudioFormat& format, double frequency,
                                                         int16_t amplitude) {
    const double step = 2.0 * std::numbers::pi * frequency / double(std::max<uint32_t>(1, format.rate));
    return std::make_unique<CGeneratorSource>(format, [step, amplitude](uint64_t frame, uint32_t) {
        return int16_t(std::lround(amplitude * std::sin(step * double(frame))));
    });
}

std::unique_ptr<CGeneratorSource> CGeneratorSource::Ramp(const AudioFormat& format) {
    return std::make_unique<CGeneratorSource>(format, [](uint64_t frame, uint32_t channel) {
        return int16_t(uint16_t(frame * 7 + channel * 1000));
    });
}

} // namespace ondrix
