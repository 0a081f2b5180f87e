#pragma once

#include <QString>

#include <cstdint>

namespace ondrix {

/// The text of a string-table id as a QString (UTF-8); how every window of the program gets its texts.
QString LoadQString(uint32_t id);

} // namespace ondrix
