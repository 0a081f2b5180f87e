#include "controls/format_args.h"

#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <utility>

namespace ondrix {

std::string FillStrings(std::string_view pattern, std::initializer_list<std::string_view> texts) {
    std::string out;
    out.reserve(pattern.size() + 32);
    auto next = texts.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        if (pattern[i + 1] == '%') {
            out += '%';
            ++i;
        } else if (pattern[i + 1] == 's') {
            if (next != texts.end()) {
                out += *next++;
            }
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string IntegerRangeMessage(int64_t minimum, int64_t maximum) {
    std::string text = LoadString(str::kRangeText);
    for (const auto& [marker, number] : {std::pair{"%1", minimum}, std::pair{"%2", maximum}}) {
        const std::size_t at = text.find(marker);
        if (at != std::string::npos) {
            text.replace(at, 2, std::to_string(number));
        }
    }
    return text;
}

} // namespace ondrix
