#include "controls/ui/range_message.h"

#include "base/message_service.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QWidget>

namespace ondrix {

void ShowRangeMessage(int min, int max, QWidget* field) {
    const QString text = LoadQString(str::kRangeText)
                             .replace(QStringLiteral("%1"), QString::number(min))
                             .replace(QStringLiteral("%2"), QString::number(max));
    Messages().Beep(MsgIcon::Exclamation);
    Messages().ShowMessage(text.toStdString(), MsgIcon::Exclamation, MsgButtons::Ok, str::kRangeText);
    field->setFocus();
}

} // namespace ondrix
