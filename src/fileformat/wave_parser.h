#pragma once

#include "store/mixer_block.h"
#include "store/sample_store.h"

#include <array>
#include <cstdint>
#include <exception>
#include <string>

namespace ondrix {

class CDataFile;

/// What the chunks of a RIFF WAVE source say about the sound it holds.
struct WaveLayout {
    uint32_t bits = 0;
    uint32_t tracks = 0;
    uint32_t rate = 0;
    uint64_t dataOffset = 0;   ///< position of the first sample in the source
    uint32_t dataSize = 0;     ///< bytes of whole frames that the source really holds
    bool mixerPresent = false; ///< a "chnn" or "chni" chunk set the mixer
    MixerBlock mixer{};
    std::array<std::string, kMaxTracks> names;
    std::array<std::string, kInfoTextCount> infoTexts;
};

/// A source that is not a WAVE file the loader accepts; carries the message to show (31501 or 31502).
class WaveFormatError : public std::exception {
public:
    /// Builds the error for a message id.
    explicit WaveFormatError(uint32_t messageId) noexcept : m_messageId(messageId) {}
    /// The string-table id of the message.
    uint32_t MessageId() const noexcept { return m_messageId; }
    /// Short description for logs.
    const char* what() const noexcept override { return "not an accepted WAVE file"; }

private:
    uint32_t m_messageId;
};

/// Reads every chunk of a RIFF WAVE source: header, format, where the samples are and the chunks after
/// them. Throws WaveFormatError for a source that is not accepted, FileException for read errors.
WaveLayout ParseWave(CDataFile& source);

/// Keeps every mixer value inside its range (volumes 0 to 200, balances -100 to +100).
void ClampMixer(MixerBlock& mixer) noexcept;

} // namespace ondrix
