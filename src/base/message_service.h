#pragma once

#include <cstdint>
#include <string>

namespace ondrix {

/// The icon of a message box; the values are those of the classic message-box flags.
enum class MsgIcon : uint32_t {
    None = 0,
    Stop = 0x10,
    Question = 0x20,
    Exclamation = 0x30,
    Information = 0x40
};

/// The buttons of a message box.
enum class MsgButtons : uint32_t { Ok = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };

/// The button that closed a message box.
enum class MsgAnswer : int { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

/// How the core talks to the user: a beep and a modal message box. The UI implements it; tests fake it.
class IMessageService {
public:
    virtual ~IMessageService() = default;
    /// Sounds the system beep that belongs to an icon.
    virtual void Beep(MsgIcon icon) = 0;
    /// Shows a modal message box; helpId is the string id whose help topic the Help button opens (0: none).
    virtual MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons,
                                  uint32_t helpId) = 0;
};

/// The message service in use (a console one writing to stderr until the UI installs its own).
IMessageService& Messages();

/// Installs a message service; nullptr restores the console one. Returns the previous service.
IMessageService* SetMessageService(IMessageService* service);

/// Beeps with the icon and shows the string-table text id, with that id as help context; returns the answer.
MsgAnswer AskUser(uint32_t stringId, MsgIcon icon, MsgButtons buttons);

/// Shows the program's own message (beep, box with help id) and ends the operation with a silent UserAbort.
[[noreturn]] void FailWithMessage(uint32_t stringId, MsgIcon icon = MsgIcon::Stop);

} // namespace ondrix
