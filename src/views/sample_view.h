#pragma once

#include "document/core/command_target.h"
#include "document/doc_view.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <array>
#include <cstdint>
#include <vector>

namespace ondrix {

class CTimeRuler;
class CTrackLane;

/// The sample window of a document window: one CTrackLane per shown track under an optional
/// CTimeRuler, laid out with 3-pixel separators, scrolled horizontally in columns of the zoom factor
/// (and vertically when the lanes do not fit), following the document's update hints and, when asked,
/// the playback position.
class CSampleView final : public QAbstractScrollArea, public CDocView, public CCmdTarget {
    Q_OBJECT
public:
    static constexpr int kMaxLanes = 32;

    /// A view of a document.
    explicit CSampleView(COndrixDoc* doc, QWidget* parent = nullptr);
    ~CSampleView() override;

    void OnUpdate(CDocView* sender, uint32_t hint, intptr_t data) override;
    CCmdTarget* GetCommandTarget() override { return this; }
    COndrixDoc* GetDocument() const override { return m_doc; }

    /// The tracks shown, one per lane, in lane order.
    const std::vector<uint32_t>& GetLaneTracks() const noexcept { return m_laneTracks; }
    /// The number of lanes.
    int LaneCount() const noexcept { return int(m_laneTracks.size()); }
    /// A lane, or null.
    CTrackLane* Lane(int index) const;
    /// The ruler, or null when it is hidden.
    CTimeRuler* Ruler() const noexcept { return m_ruler; }
    /// The lane that has the focus, else lane 0; null without lanes.
    CTrackLane* FocusedLane() const;

    /// The first visible column, in units of the zoom factor.
    int64_t GetScrollColumn() const noexcept { return m_scrollColumn; }
    /// Scrolls so that a column becomes the first (not with zoom 0).
    void ScrollToColumn(int64_t column);
    /// Repaints every lane.
    void InvalidateLanes();
    /// Repaints the columns from .. to of the lanes of edited tracks and of the ruler's band.
    void InvalidateSelectionColumns(int64_t from, int64_t to);
    /// Whether the mouse and keys leave the sound alone: it plays or records, or a recording is prepared.
    bool IsEditingLocked() const;
    /// Shows the document's context menu at a point of the screen.
    void ShowContextMenu(const QPoint& globalPos);
    /// A lane took the focus: the view is its window's active view.
    void NoteLaneFocus();
    /// Runs a lane's change of the document's selection; the lane repaints what it changed itself,
    /// while changes from elsewhere repaint every lane.
    template <class Change> void LaneChange(Change&& change) {
        ++m_laneChanges;
        change();
        --m_laneChanges;
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    /// Makes lanes and the ruler match the shown tracks (hints 1, 2, 3, 12).
    void RebuildLanes();
    /// The shown tracks in track order.
    std::vector<uint32_t> ShownTracks() const;
    /// Places the ruler and the lanes for the client size.
    void LayOutChildren();
    /// Shows, hides and places the horizontal scroll bar.
    void UpdateScrollBar();
    /// A request of the horizontal scroll bar.
    void OnScrollAction(int action);
    /// The zoom factor changed from an old one (hint 5).
    void ApplyZoomChange(uint32_t oldZoom);
    /// The ruler and every lane take the document's zoom at the scroll column.
    void TakeZoom();
    /// Zooms so that the block fills lane 0 (hint 8).
    void ZoomIntoBlock();
    /// Hint 9: the focused lane (else lane 0) selects a .. b.
    void SelectRange(int64_t a, int64_t b);
    /// Hint 10: the focused lane (else lane 0) moves the cursor there and clears the block.
    void MoveCursorTo(int64_t frame);
    /// Makes the lane before (-1) or after (+1) the current track's lane current and focused.
    void StepLane(int delta);
    /// Hint 16: repaints the lanes whose track entered or left the edit set.
    void RefreshEditStates();
    /// Tells the document whether the sample window is shown.
    void UpdateShownFlag();
    /// Every 100 ms while playing: the cursor follows the playback position.
    void OnFollowTimer();
    /// Every 100 ms while busy: the status fields show the position.
    void OnStatusTimer();
    /// The data changed: the display cache goes and the peak summary is built anew.
    void SummariseData();
    /// While the summary is built: repaints the lanes once it is ready.
    void OnPeakTimer();
    /// The lane of a track, or null.
    CTrackLane* LaneOfTrack(uint32_t track) const;
    /// The lane width the columns are counted in.
    int LaneWidth() const;

    COndrixDoc* m_doc;
    std::vector<uint32_t> m_laneTracks;
    std::array<CTrackLane*, kMaxLanes> m_lanes{};
    std::array<bool, kMaxLanes> m_laneEdited{};
    CTimeRuler* m_ruler = nullptr;
    int64_t m_scrollColumn = 0;
    QTimer m_followTimer;
    QTimer m_statusTimer;
    QTimer m_peakTimer;
    bool m_scrolling = false;
    int m_laneChanges = 0;
};

} // namespace ondrix
