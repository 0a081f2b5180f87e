#pragma once

#include "fileformat/wave_clipboard.h"

namespace ondrix {

/// The desktop clipboard's WAVE data: the block travels as "audio/wav" (and "audio/x-wav" is read too),
/// so other programs can paste what Ondrix copies and the other way round.
class CQtWaveClipboard final : public IWaveClipboard {
public:
    /// Installs itself as the WAVE clipboard in use.
    CQtWaveClipboard();
    /// Puts the in-process clipboard (or the one it replaced) back.
    ~CQtWaveClipboard() override;
    CQtWaveClipboard(const CQtWaveClipboard&) = delete;
    CQtWaveClipboard& operator=(const CQtWaveClipboard&) = delete;

    bool SetWave(std::vector<uint8_t> block) override;
    bool GetWave(std::vector<uint8_t>& block) override;
    bool HasWave() override;

private:
    IWaveClipboard* m_previous = nullptr;
};

} // namespace ondrix
