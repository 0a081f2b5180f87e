// Loads arbitrary bytes as a WAVE image from memory. Whatever loads must be a sound the store can hold,
// and must come back unchanged through the clipboard block.
#include "base/message_service.h"
#include "fileformat/wave_clipboard.h"
#include "fileformat/wave_format.h"
#include "store/sample_store.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace ondrix;

namespace {

/// Takes every message without showing it, so the message paths run too.
class SilentMessages final : public IMessageService {
public:
    void Beep(MsgIcon) override {}
    MsgAnswer ShowMessage(const std::string& text, MsgIcon, MsgButtons, uint32_t) override {
        m_length += text.size();
        return MsgAnswer::Ok;
    }

private:
    std::size_t m_length = 0;
};

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

std::vector<uint8_t> Samples(CSampleStore& store) {
    std::vector<uint8_t> bytes(store.GetDataSize());
    if (!bytes.empty()) {
        Require(store.ReadData(0, bytes.data(), uint32_t(bytes.size())) == bytes.size());
    }
    return bytes;
}

void CheckSound(CSampleStore& store) {
    Require(IsStoreFormat(store.GetBitsPerSample(), store.GetTrackCount()));
    Require(store.GetSampleRate() >= kWaveMinRate && store.GetSampleRate() <= kWaveMaxRate);
    Require(store.GetDataSize() % store.GetBlockAlign() == 0);
    const MixerBlock& mixer = store.Mixer();
    Require(mixer.mainLeft <= 200 && mixer.mainRight <= 200);
    for (int t = 0; t < kMaxTracks; ++t) {
        Require(mixer.volume[t] <= 200 && mixer.balance[t] >= -100 && mixer.balance[t] <= 100);
        Require(store.m_trackNames[std::size_t(t)].size() <= 65536);
    }
    for (const std::string& text : store.m_infoTexts) {
        Require(text.size() <= 65536 && text.find('\0') == std::string::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static SilentMessages messages;
    static const bool installed = (SetMessageService(&messages), true);
    (void)installed;

    static const uint8_t nothing = 0;
    CSampleStore store;
    if (!store.Load(size != 0 ? data : &nothing, size, STORE_MEMORY, "")) {
        Require(!store.HasData());
        return 0;
    }
    CheckSound(store);
    Require(store.Save("", false));
    std::vector<uint8_t> block;
    Require(WaveClipboard().GetWave(block));
    Require(block.size() == kWaveHeaderSize + store.GetDataSize());
    CSampleStore again;
    Require(again.Load(block.data(), block.size(), STORE_MEMORY, ""));
    Require(again.GetBitsPerSample() == store.GetBitsPerSample());
    Require(again.GetTrackCount() == store.GetTrackCount());
    Require(again.GetSampleRate() == store.GetSampleRate());
    Require(Samples(again) == Samples(store));
    return 0;
}
