#include "fileformat/wave_clipboard.h"

namespace ondrix {

namespace {

/// Keeps the last block inside the process (batch use, tests, a desktop without a clipboard).
class CProcessClipboard final : public IWaveClipboard {
public:
    bool SetWave(std::vector<uint8_t> block) override {
        m_block = std::move(block);
        m_holds = true;
        return true;
    }
    bool GetWave(std::vector<uint8_t>& block) override {
        if (m_holds) {
            block = m_block;
        }
        return m_holds;
    }
    bool HasWave() override { return m_holds; }

private:
    std::vector<uint8_t> m_block;
    bool m_holds = false;
};

CProcessClipboard g_processClipboard;
IWaveClipboard* g_clipboard = &g_processClipboard;

} // namespace

IWaveClipboard& WaveClipboard() {
    return *g_clipboard;
}

IWaveClipboard* SetWaveClipboard(IWaveClipboard* clipboard) {
    IWaveClipboard* previous = g_clipboard;
    g_clipboard = clipboard ? clipboard : &g_processClipboard;
    return previous == &g_processClipboard ? nullptr : previous;
}

} // namespace ondrix
