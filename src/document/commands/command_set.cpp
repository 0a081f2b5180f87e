#include "document/commands/command_set.h"

#include "document/core/enabling_rules.h"
#include "document/ondrix_doc.h"

namespace ondrix {

void CCommandSet::MapRuled(uint32_t id, std::function<void()> handler) {
    MapCommand(id, std::move(handler),
               [this](CCmdUI& ui) { ui.Enable(IsEnabledBy(RuleOf(ui.GetId()), m_doc.GetState())); });
}

} // namespace ondrix
