#pragma once

#include <cstdint>
#include <string>

namespace ondrix {

/// The menu text of "&Undo Steps...": "&Undo Steps...\t" with "(none)" when undo is off, else "(count)".
std::string UndoStepsMenuText(uint32_t undoCount);

} // namespace ondrix
