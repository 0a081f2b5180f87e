#pragma once

#include "base/message_service.h"
#include "resources/ui/qt_strings.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace ondrix {

/// The message service of the editor: QApplication::beep and a modal QMessageBox with the icon and
/// buttons asked for. A message with a help id gets a Help button (and F1) that opens the help topic of
/// that id through the help handler while the box stays open.
class CQtMessageService final : public IMessageService {
public:
    /// Opens the help topic of a string id.
    using HelpHandler = std::function<void(uint32_t helpId)>;

    /// The boxes' title ("Ondrix").
    static QString Title();

    /// Sets the window the boxes belong to; without one, the active window.
    void SetParentWindow(QWidget* parent) { m_parent = parent; }
    /// Sets what the Help button does.
    void SetHelpHandler(HelpHandler handler) { m_help = std::move(handler); }

    void Beep(MsgIcon icon) override;
    MsgAnswer ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons,
                          uint32_t helpId) override;

private:
    QPointer<QWidget> m_parent;
    HelpHandler m_help;
};

} // namespace ondrix
