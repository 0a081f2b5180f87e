#include "base/message_service.h"

#include "base/user_abort.h"
#include "resources/string_table.h"

#include <cstdio>

namespace ondrix {

namespace {

/// Writes messages to stderr and gives the answer that leaves everything as it is.
class ConsoleMessageService final : public IMessageService {
public:
    void Beep(MsgIcon) override {}
    MsgAnswer ShowMessage(const std::string& text, MsgIcon, MsgButtons buttons, uint32_t) override {
        std::fprintf(stderr, "ondrix: %s\n", text.c_str());
        switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        default:
            return MsgAnswer::Cancel;
        }
    }
};

ConsoleMessageService g_console;
IMessageService* g_service = &g_console;

} // namespace

IMessageService& Messages() {
    return *g_service;
}

IMessageService* SetMessageService(IMessageService* service) {
    IMessageService* previous = g_service;
    g_service = service ? service : &g_console;
    return previous == &g_console ? nullptr : previous;
}

MsgAnswer AskUser(uint32_t stringId, MsgIcon icon, MsgButtons buttons) {
    Messages().Beep(icon);
    return Messages().ShowMessage(LoadString(stringId), icon, buttons, stringId);
}

void FailWithMessage(uint32_t stringId, MsgIcon icon) {
    AskUser(stringId, icon, MsgButtons::Ok);
    throw UserAbort();
}

} // namespace ondrix
