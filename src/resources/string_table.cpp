#include "resources/string_table.h"

#include "resources/string_table_data.h"

#include <algorithm>
#include <unordered_map>

namespace ondrix {

namespace {

const std::unordered_map<uint32_t, const char*>& Table() {
    static const std::unordered_map<uint32_t, const char*> table = [] {
        std::unordered_map<uint32_t, const char*> map;
        for (std::size_t i = 0; i < kStringEntryCount; ++i) {
            map.emplace(kStringEntries[i].id, kStringEntries[i].text);
        }
        return map;
    }();
    return table;
}

} // namespace

std::string LoadString(uint32_t id) {
    const auto it = Table().find(id);
    return it == Table().end() ? std::string() : std::string(it->second);
}

bool HasString(uint32_t id) {
    return Table().count(id) != 0;
}

std::string FormatString(uint32_t id, int value) {
    return FormatPattern(LoadString(id), value);
}

std::string FormatPattern(const std::string& pattern, long long value) {
    std::string out;
    out.reserve(pattern.size() + 8);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        const char next = pattern[i + 1];
        if (next == '%') {
            out += '%';
            ++i;
        } else if (next == 'd' || next == 'i' || next == 'u') {
            out += std::to_string(value);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace ondrix
