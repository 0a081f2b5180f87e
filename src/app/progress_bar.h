#pragma once

#include "base/progress.h"

#include <QStatusBar>

#include <array>

class QLabel;
class QProgressBar;

namespace ondrix {

class CProgressInputFilter;

/// The main frame's status bar: eight panes in normal use; while an operation runs its panes give way
/// to the progress text, the progress control and the abort pane, and it keeps the window alive by
/// pumping events through a filter that holds back all input except ESC and a click on the abort pane.
class CProgressBar final : public QStatusBar, public CProgressDisplay {
    Q_OBJECT
public:
    /// Number of status panes.
    static constexpr int kPaneCount = 8;

    explicit CProgressBar(QWidget* parent = nullptr);
    ~CProgressBar() override;

    /// Writes the text of one status pane (0 to 7).
    void SetPaneText(int pane, const QString& text);
    /// The text of one status pane.
    QString PaneText(int pane) const;
    /// The label of one status pane.
    QLabel* Pane(int pane) const { return m_statusPanes.at(std::size_t(pane)); }

    /// The label showing the progress text (pane 0 of a running display).
    QLabel* ProgressTextPane() const { return m_progressText; }
    /// The progress control, or null while no operation runs.
    QProgressBar* ProgressControl() const;
    /// The abort pane label (hidden while no operation runs).
    QLabel* AbortPane() const { return m_abortLabel; }

signals:
    /// An operation's progress display ended and the status panes are back.
    void progressEnded();

protected:
    void OnBegin() override;
    void OnPercent() override;
    void OnEnd() override;
    bool PollAbortRequest() override;
    bool ConfirmAbort() override;

private:
    /// Shows the status panes or the progress panes.
    void ShowStatusPanes(bool show);

    std::array<QLabel*, kPaneCount> m_statusPanes{};
    std::array<bool, kPaneCount> m_savedVisible{};
    QLabel* m_progressText = nullptr;
    QProgressBar* m_progressControl = nullptr;
    QLabel* m_abortLabel = nullptr;
    CProgressInputFilter* m_filter = nullptr;
    bool m_wasVisible = true;
};

} // namespace ondrix
