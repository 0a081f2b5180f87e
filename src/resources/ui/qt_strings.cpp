#include "resources/ui/qt_strings.h"

#include "resources/string_table.h"

namespace ondrix {

QString LoadQString(uint32_t id) {
    return QString::fromStdString(LoadString(id));
}

} // namespace ondrix
