#pragma once

#include <cstdint>
#include <vector>

namespace ondrix {

/// The system clipboard's WAVE data: a block of a 44-byte header and the samples. Save without a path
/// puts a block there and LoadClipboardWave takes it. The Qt layer installs one over the desktop
/// clipboard; until then the block stays inside the process.
class IWaveClipboard {
public:
    virtual ~IWaveClipboard() = default;
    /// Replaces the clipboard's contents with a WAVE block; false when the clipboard cannot be opened.
    virtual bool SetWave(std::vector<uint8_t> block) = 0;
    /// Copies the clipboard's WAVE block out; false when it cannot be opened or holds no WAVE data.
    virtual bool GetWave(std::vector<uint8_t>& block) = 0;
    /// Whether the clipboard holds WAVE data.
    virtual bool HasWave() = 0;
};

/// The WAVE clipboard in use.
IWaveClipboard& WaveClipboard();

/// Installs a WAVE clipboard; nullptr restores the in-process one. Returns the previous one (nullptr for
/// the in-process one).
IWaveClipboard* SetWaveClipboard(IWaveClipboard* clipboard);

} // namespace ondrix
