#include "app/core/help_stand_ins.h"

#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <array>

namespace ondrix {

namespace {

/// The stand-ins of the messages whose placeholders name something in particular.
struct StandIns {
    uint32_t id;
    std::array<std::string_view, 2> texts;
};

constexpr StandIns kStandIns[] = {
    {30500, {"<minimum>", "<maximum>"}},
    {31501, {"<file name>"}},
    {31502, {"<file name>"}},
    {32100, {"<file name>"}},
    {32110, {"<option>"}},
    {32111, {"<option>"}},
    {32140, {"1"}},
    {32141, {"<text>"}},
    {32144, {"44100"}},
    {32145, {"512"}},
    {32200, {"<settings file>"}},
    {32324, {"<time>"}},
    {32327, {"<time>"}},
    {32328, {"<sound system>"}},
    {32329, {"<sound system>"}},
    {32332, {"16"}},
    {32400, {"<minimum>", "<maximum>"}},
    {32461, {"<function>", "<parameter>"}},
    {32462, {"<parameter>", "<value>"}},
    {32465, {"<function>", "<preset>"}},
    {32467, {"<block>", "<frame>"}},
    {32700, {"512"}},
    {32707, {"44100"}},
    {32710, {"<file name>"}},
    {33130, {"<position>", "<value>"}},
    {33131, {"<position>", "44100"}},
    {32761, {"31501"}},
    {1084, {"1", "2"}},
    {32333, {"2"}},
};

/// Messages whose text placeholder is the product's name.
constexpr uint32_t kProductNameMessages[] = {32746, 32750, 32751, 32760};

std::string_view Generic(char kind, bool beforePercent) {
    switch (kind) {
    case 'd':
        return beforePercent ? "50" : "2";
    case 'f':
        return "1.5";
    default:
        return "<value>";
    }
}

} // namespace

std::string FillStandIns(std::string_view pattern, std::span<const std::string_view> given) {
    std::string text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            text += pattern[i];
            continue;
        }
        const std::string_view rest = pattern.substr(i + 1);
        std::size_t length = 0; // of the conversion after the percent sign
        char kind = 0;
        std::size_t index = 0;
        if (rest[0] == '%') {
            text += '%';
            ++i;
            continue;
        }
        if (rest[0] == 's' || rest[0] == 'd') {
            kind = rest[0];
            length = 1;
            index = next++;
        } else if (rest.substr(0, 3) == ".1f") {
            kind = 'f';
            length = 3;
            index = next++;
        } else if (rest[0] >= '1' && rest[0] <= '9') {
            kind = 'n';
            length = 1;
            index = std::size_t(rest[0] - '1');
        } else {
            text += '%';
            continue;
        }
        const bool beforePercent = rest.substr(length, 2) == "%%";
        text += index < given.size() ? given[index] : Generic(kind, beforePercent);
        i += length;
    }
    return text;
}

std::string MessageWithStandIns(uint32_t id) {
    const std::string pattern = LoadString(id);
    for (uint32_t productMessage : kProductNameMessages) {
        if (id == productMessage) {
            const std::string product = LoadString(str::kProductName);
            const std::array<std::string_view, 1> name{product};
            return FillStandIns(pattern, name);
        }
    }
    for (const StandIns& entry : kStandIns) {
        if (entry.id == id) {
            const std::size_t count = entry.texts[1].empty() ? 1 : 2;
            return FillStandIns(pattern, std::span(entry.texts).first(count));
        }
    }
    return FillStandIns(pattern);
}

} // namespace ondrix
