#include "fileformat/wave_messages.h"

#include "base/message_service.h"
#include "base/user_abort.h"
#include "resources/string_table.h"

namespace ondrix {

std::string FormatStringText(uint32_t id, const std::string& text) {
    std::string pattern = LoadString(id);
    std::string out;
    out.reserve(pattern.size() + text.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 's' || pattern[i + 1] == '%')) {
            out += pattern[i + 1] == 's' ? text : std::string("%");
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

void FailWithFileMessage(uint32_t id, const std::string& name, bool show) {
    if (show) {
        Messages().Beep(MsgIcon::Stop);
        Messages().ShowMessage(FormatStringText(id, name), MsgIcon::Stop, MsgButtons::Ok, id);
    }
    throw UserAbort();
}

} // namespace ondrix
