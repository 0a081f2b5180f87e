#pragma once

#include "views/core/lane_mapping.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>

namespace ondrix {

class COndrixDoc;
class CSampleView;

/// One lane of the sample window: the waveform of one track, the caret, the block, and the cursor keys
/// and mouse selection. Its control id is 300 + its track.
class CTrackLane final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFirstControlId = 300;

    /// A lane of a view showing a track.
    CTrackLane(CSampleView* view, COndrixDoc* doc, uint32_t track, QWidget* parent);

    /// The control id: 300 + the track.
    int GetControlId() const noexcept { return m_controlId; }
    /// Gives the lane another track.
    void SetControlId(int id);
    /// The track shown.
    uint32_t GetTrack() const noexcept { return uint32_t(m_controlId - kFirstControlId); }
    /// Takes a zoom factor and a first frame (the pixels are repainted by the caller).
    void SetZoom(uint32_t zoom, uint32_t firstFrame) noexcept;
    /// Takes a new first frame and moves the pixels by dx columns, repainting the uncovered strip.
    void ScrollTo(uint32_t firstFrame, int dx);
    /// The zoom factor.
    uint32_t GetZoom() const noexcept { return m_zoom; }
    /// The frame at column 0.
    uint32_t GetFirstFrame() const noexcept { return m_firstFrame; }
    /// The mapping between columns and frames.
    LaneMapping Mapping() const noexcept;

    /// Moves the cursor to a frame clamped to the sound and tells the document when it moved.
    void SetCursor(int64_t frame);
    /// Scrolls so that the cursor's column is visible (not with zoom 0).
    void EnsureVisible();
    /// Starts a block at the cursor.
    void BeginSelection();
    /// Repaints the columns between the drawn end of the block and the cursor.
    void UpdateSelection();
    /// Ends a selection: without clear a block of one frame goes; with clear any block goes.
    void EndSelection(bool clear);
    /// Selects the block a .. b.
    void SelectRange(int64_t a, int64_t b);
    /// Shows the caret when the lane has the focus and no block exists.
    void ShowCaret();
    /// Shows or removes the caret as the document's block asks, after a change from elsewhere.
    void SyncCaret();
    /// Removes the caret.
    void DestroyCaret();
    /// Whether the caret exists.
    bool HasCaret() const noexcept { return m_caretShown; }
    /// Where the caret is drawn.
    QRect CaretRect() const;
    /// Whether the auto-scroll timer of a drag runs.
    bool IsDragScrolling() const noexcept { return m_dragTimer.isActive(); }

signals:
    /// The lane took the focus by a click: its track is to become the current one (message 1274).
    void laneFocused(int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    /// Runs the common steps after a cursor key: extend or clear the block, keep the cursor in view.
    void MoveByKey(int64_t cursor, bool extending);
    /// The document's context menu at a point of the screen.
    void ShowContextMenu(const QPoint& globalPos);
    /// The tooltip for a column.
    QString ToolTipAt(int x) const;
    /// A drag timer tick: a half-lane step in the drag's direction.
    void OnDragTick();
    /// The caret's blink.
    void OnBlink();

    CSampleView* m_view;
    COndrixDoc* m_doc;
    int m_controlId;
    uint32_t m_zoom = 0;
    uint32_t m_firstFrame = 0;
    bool m_caretShown = false;
    bool m_caretOn = false;
    bool m_captured = false;
    QTimer m_dragTimer;
    bool m_dragRight = false;
    int64_t m_drawnEnd = 0;
    QTimer m_blinkTimer;
};

} // namespace ondrix
