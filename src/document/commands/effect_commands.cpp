#include "document/commands/effect_commands.h"

#include "resources/command_ids.h"

namespace ondrix {

CEffectCommands::CEffectCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapUpdate(cmd::kEqualizer, [](CCmdUI& ui) { ui.Enable(false); });
}

} // namespace ondrix
