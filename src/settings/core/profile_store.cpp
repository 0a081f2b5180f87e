#include "settings/core/profile_store.h"

#include <charconv>

namespace ondrix {

std::optional<int32_t> ParseProfileInt(std::string_view text) noexcept {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const auto last = text.find_last_not_of(" \t");
    text = text.substr(first, last - first + 1);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    unsigned long long magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    auto low = static_cast<uint32_t>(magnitude);
    if (negative) {
        low = 0u - low;
    }
    return static_cast<int32_t>(low);
}

} // namespace ondrix
