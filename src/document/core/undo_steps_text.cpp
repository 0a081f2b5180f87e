#include "document/core/undo_steps_text.h"

#include "document/core/text_format.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

namespace ondrix {

std::string UndoStepsMenuText(uint32_t undoCount) {
    const std::string count = undoCount == 0 ? LoadString(str::kUndoStepsNone)
                                             : FormatTextId(str::kUndoStepsCount, {(long long)undoCount});
    return LoadString(str::kUndoStepsMenuText) + count;
}

} // namespace ondrix
