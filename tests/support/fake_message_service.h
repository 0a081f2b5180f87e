#pragma once

#include "base/message_service.h"

#include <deque>
#include <string>
#include <vector>

namespace ondrix::test {

/// Records every beep and message box; answers from a queue (Ok/Cancel when it runs dry).
/// Installs itself on construction and restores the previous service on destruction.
class FakeMessageService final : public IMessageService {
public:
    struct Shown {
        std::string text;
        MsgIcon icon;
        MsgButtons buttons;
        uint32_t helpId;
    };

    FakeMessageService();
    ~FakeMessageService() override;

    void Beep(MsgIcon icon) override { beeps.push_back(icon); }
    MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons,
                          uint32_t helpId) override;

    std::vector<MsgIcon> beeps;
    std::vector<Shown> shown;
    std::deque<MsgAnswer> answers;

private:
    IMessageService* m_previous;
};

} // namespace ondrix::test
