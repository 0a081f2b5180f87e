#pragma once

#include "views/core/lane_mapping.h"
#include "views/core/ruler_scale.h"

#include <QWidget>

#include <cstdint>
#include <vector>

namespace ondrix {

class COndrixDoc;
class CSampleView;

/// The 20-pixel ruler above the lanes: time labels in the document's time format, tick marks, the
/// selected band and the cursor marker; clicks on it place the cursor, a double click starts a block.
class CTimeRuler final : public QWidget {
    Q_OBJECT
public:
    /// A ruler of a view.
    CTimeRuler(CSampleView* view, COndrixDoc* doc, QWidget* parent);

    /// Takes a zoom factor and a first frame.
    void SetZoom(uint32_t zoom, uint32_t firstFrame) noexcept;
    /// Takes a new first frame and moves the pixels by dx columns.
    void ScrollTo(uint32_t firstFrame, int dx);
    /// The mapping between columns and frames.
    LaneMapping Mapping() const noexcept;
    /// The cursor moved from an old frame: the marker areas of both are repainted.
    void CursorMoved(int64_t oldCursor);
    /// Repaints the selected band over columns from .. to.
    void InvalidateBand(int64_t from, int64_t to);
    /// The ticks drawn for the whole width, with their labels ("" for an unlabelled tick).
    std::vector<std::pair<RulerTick, QString>> LabelledTicks() const;
    /// Whether a double click started a block that the next click ends.
    bool IsInRangeMode() const noexcept { return m_rangeMode; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    /// The width of the widest label: the one of the sound's last frame.
    int LabelWidth() const;
    /// The ticks over columns left .. right.
    std::vector<std::pair<RulerTick, QString>> TicksBetween(int left, int right) const;
    /// The marker area of a frame.
    QRect MarkerRect(int64_t frame) const;
    /// Places the document's cursor at a column (hint 10 when it moves).
    void PlaceCursor(int x);
    /// Draws the marker of the cursor (or the range anchor) at a frame.
    void DrawMarker(QPainter& painter, int64_t frame, bool range) const;

    CSampleView* m_view;
    COndrixDoc* m_doc;
    uint32_t m_zoom = 0;
    uint32_t m_firstFrame = 0;
    bool m_captured = false;
    bool m_rangeMode = false;
    int64_t m_rangeAnchor = 0;
};

} // namespace ondrix
