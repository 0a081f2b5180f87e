#include "document/core/text_format.h"

#include "resources/string_table.h"

#include <cstdio>

namespace ondrix {

namespace {

std::string NumberText(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

} // namespace

std::string FormatText(std::string_view pattern, std::initializer_list<TextArg> args) {
    std::string out;
    out.reserve(pattern.size() + 16);
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 >= pattern.size()) {
            out += pattern[i];
            continue;
        }
        std::size_t j = i + 1;
        int decimals = 6;
        if (pattern[j] == '.' && j + 2 < pattern.size() && pattern[j + 1] >= '0' && pattern[j + 1] <= '9') {
            decimals = pattern[j + 1] - '0';
            j += 2;
        }
        const char conversion = pattern[j];
        const auto take = [&]() -> const TextArg* { return next != args.end() ? &*next++ : nullptr; };
        const TextArg* arg = nullptr;
        switch (conversion) {
        case '%':
            out += '%';
            break;
        case 'd':
        case 'i':
        case 'u':
            arg = take();
            if (arg && std::holds_alternative<long long>(*arg)) {
                out += std::to_string(std::get<long long>(*arg));
            }
            break;
        case 'f':
            arg = take();
            if (arg && std::holds_alternative<double>(*arg)) {
                out += NumberText(std::get<double>(*arg), decimals);
            }
            break;
        case 's':
            arg = take();
            if (arg && std::holds_alternative<std::string_view>(*arg)) {
                out += std::get<std::string_view>(*arg);
            }
            break;
        default:
            out.append(pattern.substr(i, j - i + 1));
            break;
        }
        i = j;
    }
    return out;
}

std::string FormatTextId(uint32_t stringId, std::initializer_list<TextArg> args) {
    return FormatText(LoadString(stringId), args);
}

} // namespace ondrix
