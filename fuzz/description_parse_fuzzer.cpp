// Reads arbitrary bytes as a store's description, once as they are and once sealed with the right
// checksum, so that the line reader behind the checksum is reached too. Whatever is read must hold
// values a store can take, and must come back unchanged through the writer.
#include "store/store_description.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace ondrix;

namespace {

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void Check(const std::string& text) {
    const auto description = ParseDescription(text);
    if (!description) {
        return;
    }
    const StoreDescription& d = *description;
    Require(d.bits == 8 || d.bits == 16);
    Require(d.tracks >= 1 && d.tracks <= uint32_t(kMaxTracks));
    Require(d.rate >= 1);
    Require(d.mixer.stereo <= 1 && d.mixer.mainLeft <= 200 && d.mixer.mainRight <= 200);
    for (int t = 0; t < kMaxTracks; ++t) {
        Require(d.mixer.volume[t] <= 200 && d.mixer.balance[t] >= -100 && d.mixer.balance[t] <= 100);
    }
    const std::string again = FormatDescription(d);
    const auto back = ParseDescription(again);
    Require(back.has_value());
    Require(FormatDescription(*back) == again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Check(text);
    Check(SealDescription("ondrix-recovery 1\n" + text));
    return 0;
}
