#include "controls/ui/range_message.h"

#include "base/message_service.h"
#include "controls/format_args.h"
#include "resources/string_ids.h"

#include <QWidget>

namespace ondrix {

void ShowRangeMessage(int min, int max, QWidget* field) {
    Messages().Beep(MsgIcon::Exclamation);
    Messages().ShowMessage(IntegerRangeMessage(min, max), MsgIcon::Exclamation, MsgButtons::Ok,
                           str::kRangeText);
    field->setFocus();
}

} // namespace ondrix
