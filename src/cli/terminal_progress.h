#pragma once

#include "base/progress.h"

namespace ondrix::cli {

/// Shows the progress of store operations on stderr as one rewritten line; Ctrl-C aborts without asking.
class CTerminalProgress final : public CHeadlessProgress {
public:
    CTerminalProgress();
    ~CTerminalProgress() override;
    /// Whether the user pressed Ctrl-C during the last operation.
    bool WasInterrupted() const noexcept;

protected:
    void OnPercent() override;
    void OnEnd() override;
};

} // namespace ondrix::cli
