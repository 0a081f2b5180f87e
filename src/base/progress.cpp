#include "base/progress.h"

#include "base/message_service.h"
#include "base/user_abort.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <map>

namespace ondrix {

void CProgressDisplay::BeginProgress(uint32_t textId, bool showBar, bool abortable) {
    EndProgress();
    m_abortRequested = 0;
    m_panes.clear();
    m_panes.push_back({ProgressPane::Text, -1, {}});
    m_abortPane = 0;
    m_progressPane = 0;
    if (abortable && showBar) {
        m_panes.push_back({ProgressPane::Bar, 100, {}});
        m_panes.push_back({ProgressPane::Abort, 200, LoadString(str::kAbortPaneText)});
        m_progressPane = 1;
        m_abortPane = 2;
    } else if (abortable) {
        m_panes.push_back({ProgressPane::Abort, 200, LoadString(str::kAbortPaneText)});
        m_abortPane = 1;
    }
    m_textId = textId;
    m_active = true;
    OnBegin();
    SetProgress(0);
}

void CProgressDisplay::SetProgress(uint32_t percent) {
    if (!m_active || percent == m_lastPercent) {
        return;
    }
    m_lastPercent = percent;
    OnPercent();
    if (m_abortPane != 0 && PollAbortRequest() && ConfirmAbort()) {
        m_abortRequested = 1;
    }
}

void CProgressDisplay::SetProgressRatio(uint64_t done, uint64_t total) {
    const double ratio = total == 0 ? 0.0 : double(done) / double(total) * 100.0;
    SetProgress(uint32_t(ratio));
}

void CProgressDisplay::EndProgress() {
    m_lastPercent = 65535;
    if (!m_active) {
        return;
    }
    m_active = false;
    OnEnd();
    m_panes.clear();
    m_abortPane = 0;
    m_progressPane = 0;
}

bool CProgressDisplay::ConfirmAbort() {
    return AskUser(str::kAbortQuestion, MsgIcon::Question, MsgButtons::YesNoCancel) == MsgAnswer::Yes;
}

std::string CProgressDisplay::GetProgressText() const {
    if (m_textId == 0) {
        return {};
    }
    const uint32_t percent = m_lastPercent == 65535 ? 0 : m_lastPercent;
    return m_progressPane != 0 ? FormatString(m_textId, int(percent)) : LoadString(m_textId);
}

namespace {
std::map<uint32_t, CProgressDisplay*>& Registry() {
    static std::map<uint32_t, CProgressDisplay*> registry;
    return registry;
}
} // namespace

void RegisterProgressDisplay(uint32_t windowId, CProgressDisplay* display) {
    if (display) {
        Registry()[windowId] = display;
    } else {
        Registry().erase(windowId);
    }
}

CProgressDisplay* FindProgressDisplay(uint32_t windowId) {
    const auto it = Registry().find(windowId);
    return it == Registry().end() ? nullptr : it->second;
}

ProgressScope::ProgressScope(uint32_t windowId, uint32_t textId) {
    if (windowId != 0 && textId != 0) {
        m_display = FindProgressDisplay(windowId);
        if (m_display) {
            m_display->BeginProgress(textId, true, true);
        }
    }
}

ProgressScope::~ProgressScope() {
    if (m_display) {
        m_display->EndProgress();
    }
}

void ProgressScope::Update(uint64_t done, uint64_t total) {
    if (!m_display) {
        return;
    }
    m_display->SetProgressRatio(done, total);
    if (m_display->IsAbortRequested()) {
        throw UserAbort();
    }
}

} // namespace ondrix
