#include "support/fake_message_service.h"

namespace ondrix::test {

FakeMessageService::FakeMessageService() : m_previous(SetMessageService(this)) {}

FakeMessageService::~FakeMessageService() {
    SetMessageService(m_previous);
}

MsgAnswer FakeMessageService::ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons,
                                          uint32_t helpId) {
    shown.push_back({text, icon, buttons, helpId});
    if (!answers.empty()) {
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

} // namespace ondrix::test
