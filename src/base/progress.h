#pragma once

#include "resources/string_ids.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace ondrix {

/// The status-bar window id the documents give their stores for progress.
inline constexpr uint32_t kStatusBarWindowId = 59393;

/// One pane of the progress layout.
struct ProgressPane {
    enum Kind { Text, Bar, Abort } kind;
    int width;        ///< pixels; -1 stretches
    std::string text; ///< the pane's text (the abort pane's fixed text)
};

/// The progress display of long operations: the percentage, the text, the abort pane and the Yes-only
/// abort question. Front ends (the status bar, a terminal, tests) override the hooks.
class CProgressDisplay {
public:
    CProgressDisplay() = default;
    CProgressDisplay(const CProgressDisplay&) = delete;
    CProgressDisplay& operator=(const CProgressDisplay&) = delete;
    virtual ~CProgressDisplay() = default;

    /// Ends any running display, clears the abort flag and lays out the progress panes.
    void BeginProgress(uint32_t textId, bool showBar, bool abortable);
    /// Shows a percentage; when it changed, polls for ESC or an abort click and asks the abort question.
    void SetProgress(uint32_t percent);
    /// SetProgress of trunc(done / total * 100).
    void SetProgressRatio(uint64_t done, uint64_t total);
    /// Removes the progress panes.
    void EndProgress();

    /// Whether the user confirmed the abort question since the last BeginProgress.
    bool IsAbortRequested() const noexcept { return m_abortRequested != 0; }
    /// Whether a display is running.
    bool IsActive() const noexcept { return m_active; }
    /// The last percentage shown; 65535 when none.
    uint32_t GetLastPercent() const noexcept { return m_lastPercent; }
    /// The text id of the running operation.
    uint32_t GetTextId() const noexcept { return m_textId; }
    /// The panes of the running display (empty when idle).
    const std::vector<ProgressPane>& GetPanes() const noexcept { return m_panes; }
    /// Index of the abort pane, 0 when none.
    int GetAbortPane() const noexcept { return m_abortPane; }
    /// Index of the pane holding the progress bar, 0 when none.
    int GetProgressPane() const noexcept { return m_progressPane; }
    /// The text of pane 0 for the current percentage.
    std::string GetProgressText() const;

protected:
    /// The panes were laid out: show them.
    virtual void OnBegin() {}
    /// The percentage changed: show it and the text.
    virtual void OnPercent() {}
    /// The display ended: restore what was shown before.
    virtual void OnEnd() {}
    /// Whether ESC was pressed or the abort pane clicked since the last poll (consumes the request).
    virtual bool PollAbortRequest() { return false; }
    /// Asks the abort question (31901, Yes/No/Cancel); only Yes aborts.
    virtual bool ConfirmAbort();

private:
    uint32_t m_abortRequested = 0;
    bool m_active = false;
    uint32_t m_textId = 0;
    uint32_t m_lastPercent = 65535;
    int m_abortPane = 0;
    int m_progressPane = 0;
    std::vector<ProgressPane> m_panes;
};

/// A display without a window: for tests and the batch tool. An abort request is a flag that any thread
/// or a signal handler may raise.
class CHeadlessProgress : public CProgressDisplay {
public:
    /// Asks for the abort question at the next percentage change.
    void RequestAbort() noexcept { m_request.store(true); }
    /// Answer used instead of the question when set: the request aborts without asking (Ctrl-C).
    void SetAbortWithoutAsking(bool direct) noexcept { m_direct = direct; }

protected:
    bool PollAbortRequest() override { return m_request.exchange(false); }
    bool ConfirmAbort() override { return m_direct || CProgressDisplay::ConfirmAbort(); }

private:
    std::atomic<bool> m_request{false};
    bool m_direct = false;
};

/// Registers the display shown for a progress window id (nullptr unregisters).
void RegisterProgressDisplay(uint32_t windowId, CProgressDisplay* display);
/// The display registered for a window id, or nullptr.
CProgressDisplay* FindProgressDisplay(uint32_t windowId);

/// Progress of one store operation: begins the display when both ids are set and a display is
/// registered, reports ratios, turns a confirmed abort into UserAbort and always ends the display.
class ProgressScope {
public:
    /// Begins the display for the window id and text id (either 0: no display).
    ProgressScope(uint32_t windowId, uint32_t textId);
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    ~ProgressScope();

    /// Shows done / total and throws UserAbort when the user has aborted.
    void Update(uint64_t done, uint64_t total);

private:
    CProgressDisplay* m_display = nullptr;
};

} // namespace ondrix
