#include "document/core/command_target.h"

namespace ondrix {

bool CCmdTarget::OnCommand(uint32_t id) {
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || !it->second.handler) {
        return false;
    }
    // copy: the handler may remap commands or destroy this target's table entry
    const std::function<void()> handler = it->second.handler;
    handler();
    return true;
}

bool CCmdTarget::HasCommand(uint32_t id) const {
    const auto it = m_entries.find(id);
    return it != m_entries.end() && it->second.handler;
}

bool CCmdTarget::OnUpdateCommand(CCmdUI& ui) {
    const auto it = m_entries.find(ui.GetId());
    if (it == m_entries.end() || !it->second.update) {
        return false;
    }
    it->second.update(ui);
    return true;
}

void CCmdTarget::MapCommand(uint32_t id, std::function<void()> handler, std::function<void(CCmdUI&)> update) {
    Entry& entry = m_entries[id];
    entry.handler = std::move(handler);
    if (update) {
        entry.update = std::move(update);
    }
}

void CCmdTarget::MapUpdate(uint32_t id, std::function<void(CCmdUI&)> update) {
    m_entries[id].update = std::move(update);
}

CCmdUI CCommandRoute::Update(uint32_t id) const {
    CCmdUI ui(id);
    for (CCmdTarget* target : m_targets) {
        if (target && target->OnUpdateCommand(ui)) {
            return ui;
        }
    }
    bool handled = false;
    for (CCmdTarget* target : m_targets) {
        handled = handled || (target && target->HasCommand(id));
    }
    ui.Enable(handled);
    return ui;
}

bool CCommandRoute::Execute(uint32_t id) const {
    if (!Update(id).IsEnabled()) {
        return false;
    }
    for (CCmdTarget* target : m_targets) {
        if (target && target->OnCommand(id)) {
            return true;
        }
    }
    return false;
}

} // namespace ondrix
