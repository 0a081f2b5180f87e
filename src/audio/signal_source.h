#pragma once

#include "audio/audio_format.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ondrix {

/// What a simulated input device records: an endless stream of whole frames of the device's format.
class ISignalSource {
public:
    virtual ~ISignalSource() = default;
    /// Fills count bytes with the next data (count is a multiple of the block align).
    virtual void Read(uint8_t* out, std::size_t count) = 0;
};

/// Plays back a block of PCM data (for example a WAVE file's samples), then silence or the block again.
class CPcmSource final : public ISignalSource {
public:
    /// Takes the data in the device's format; loop repeats it, otherwise silence follows.
    CPcmSource(std::vector<uint8_t> data, const AudioFormat& format, bool loop);
    void Read(uint8_t* out, std::size_t count) override;

private:
    std::vector<uint8_t> m_data;
    uint8_t m_silence;
    bool m_loop;
    std::size_t m_position = 0;
};

/// Computes every sample from its frame index and channel: a signed 16-bit value, stored as 16 or 8 bits.
class CGeneratorSource final : public ISignalSource {
public:
    using Function = std::function<int16_t(uint64_t frame, uint32_t channel)>;
    /// A generator of the format computing samples with function.
    CGeneratorSource(const AudioFormat& format, Function function);
    void Read(uint8_t* out, std::size_t count) override;

    /// A sine wave of a frequency and a peak amplitude (16-bit scale) on every channel.
    static std::unique_ptr<CGeneratorSource> Sine(const AudioFormat& format, double frequency,
                                                  int16_t amplitude);
    /// A ramp: sample = frame * 7 + channel * 1000, wrapping at 16 bits (8 bits take the high byte).
    static std::unique_ptr<CGeneratorSource> Ramp(const AudioFormat& format);

private:
    AudioFormat m_format;
    Function m_function;
    uint64_t m_frame = 0;
};

} // namespace ondrix
