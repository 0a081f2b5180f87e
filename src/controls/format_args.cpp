#include "controls/format_args.h"

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

} // namespace ondrix
