#pragma once

#include <QObject>
#include <QPointer>

class QLabel;

namespace ondrix {

/// Holds back the user's input while an operation runs on the user-interface thread: only painting and
/// other non-input events pass; ESC and a left click on the abort pane are noted as abort requests.
class CProgressInputFilter final : public QObject {
    Q_OBJECT
public:
    /// A filter watching for clicks on the abort pane (may be null: only ESC counts).
    explicit CProgressInputFilter(QLabel* abortPane);

    /// Whether ESC or a click on the abort pane was seen since the last call (clears the request).
    bool TakeAbortRequest() noexcept;
    /// Whether the event is user input that has to wait while an operation runs.
    static bool IsHeldBack(const QEvent* event) noexcept;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Whether a global point lies inside the visible abort pane.
    bool IsOnAbortPane(const QPointF& globalPos) const;

    QPointer<QLabel> m_abortPane;
    bool m_request = false;
};

} // namespace ondrix
