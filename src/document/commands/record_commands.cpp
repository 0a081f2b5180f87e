#include "document/commands/record_commands.h"

namespace ondrix {

CRecordCommands::CRecordCommands(COndrixDoc& doc) : CCommandSet(doc) {}

} // namespace ondrix
