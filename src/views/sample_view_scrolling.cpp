// The sample view's horizontal scroll bar and zoom.

#include "views/sample_view.h"

#include "document/ondrix_doc.h"
#include "views/core/lane_mapping.h"
#include "views/time_ruler.h"
#include "views/track_lane.h"

#include <QScrollBar>
#include <algorithm>

namespace ondrix {

// --- scrolling and zoom ---

void CSampleView::UpdateScrollBar() {
    const uint32_t zoom = uint32_t(std::max(0, m_doc->GetZoom()));
    const int64_t frames = m_doc->GetStore()->GetFrameCount();
    QScrollBar* bar = horizontalScrollBar();
    if (!IsScrollBarShown(LaneWidth(), frames, zoom)) {
        bar->setRange(0, 0);
        if (m_scrollColumn != 0) {
            // nothing to scroll: the view goes back to the sound's start
            const int dx = int(std::clamp<int64_t>(m_scrollColumn, -LaneWidth() - 1, LaneWidth() + 1));
            m_scrollColumn = 0;
            for (int i = 0; i < LaneCount(); ++i) {
                m_lanes[std::size_t(i)]->ScrollTo(0, dx);
            }
            if (m_ruler) {
                m_ruler->ScrollTo(0, dx);
            }
        }
        return;
    }
    m_scrolling = true;
    const int64_t columns = ColumnCount(frames, zoom);
    bar->setRange(0, kScrollRange);
    bar->setSingleStep(1);
    bar->setPageStep(std::max(1, int(RoundHalfAway(double(LaneWidth()) / double(columns) * kScrollRange))));
    bar->setValue(ThumbOfColumn(m_scrollColumn, frames, zoom));
    m_scrolling = false;
}

void CSampleView::OnScrollAction(int action) {
    if (m_scrolling) {
        return;
    }
    const uint32_t zoom = uint32_t(std::max(0, m_doc->GetZoom()));
    const int64_t frames = m_doc->GetStore()->GetFrameCount();
    QScrollBar* bar = horizontalScrollBar();
    int64_t column = m_scrollColumn;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        column += 1;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        column -= 1;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        column += LaneWidth();
        break;
    case QAbstractSlider::SliderPageStepSub:
        column -= LaneWidth();
        break;
    case QAbstractSlider::SliderToMinimum:
        column = 0;
        break;
    case QAbstractSlider::SliderToMaximum:
        column = ColumnCount(frames, zoom);
        break;
    case QAbstractSlider::SliderMove:
        column = ColumnOfThumb(bar->sliderPosition(), frames, zoom);
        break;
    default:
        return;
    }
    ScrollToColumn(column);
    if (action != QAbstractSlider::SliderMove) {
        // the thumb shows the column, not the bar's own step
        m_scrolling = true;
        bar->setSliderPosition(ThumbOfColumn(m_scrollColumn, frames, zoom));
        m_scrolling = false;
    }
}

void CSampleView::ScrollToColumn(int64_t column) {
    const uint32_t zoom = uint32_t(std::max(0, m_doc->GetZoom()));
    if (zoom == 0) {
        return;
    }
    const int64_t frames = m_doc->GetStore()->GetFrameCount();
    column = std::clamp<int64_t>(column, 0, ColumnCount(frames, zoom));
    if (column == m_scrollColumn) {
        return;
    }
    m_scrolling = true;
    horizontalScrollBar()->setValue(ThumbOfColumn(column, frames, zoom));
    m_scrolling = false;
    const int limit = LaneWidth() + 1;
    const int dx = int(std::clamp<int64_t>(m_scrollColumn - column, -limit, limit));
    const auto firstFrame = uint32_t(int64_t(zoom) * column);
    m_scrollColumn = column;
    for (int i = 0; i < LaneCount(); ++i) {
        m_lanes[std::size_t(i)]->ScrollTo(firstFrame, dx);
    }
    if (m_ruler) {
        m_ruler->ScrollTo(firstFrame, dx);
    }
}

void CSampleView::ApplyZoomChange(uint32_t oldZoom) {
    const uint32_t zoom = uint32_t(std::max(0, m_doc->GetZoom()));
    if (zoom == oldZoom) {
        return;
    }
    m_scrollColumn = zoom > 0 ? m_scrollColumn * int64_t(oldZoom) / int64_t(zoom) : 0;
    TakeZoom();
    UpdateScrollBar();
}

void CSampleView::TakeZoom() {
    const uint32_t zoom = uint32_t(std::max(0, m_doc->GetZoom()));
    const auto firstFrame = uint32_t(int64_t(zoom) * m_scrollColumn);
    for (int i = 0; i < LaneCount(); ++i) {
        m_lanes[std::size_t(i)]->SetZoom(zoom, firstFrame);
    }
    if (m_ruler) {
        m_ruler->SetZoom(zoom, firstFrame);
    }
    InvalidateLanes();
}

void CSampleView::ZoomIntoBlock() {
    if (LaneCount() == 0 || !m_doc->HasBlock()) {
        return;
    }
    const int width = m_lanes[0]->width();
    if (width <= 0) {
        return; // a collapsed lane has no width to fill
    }
    const int64_t length = std::abs(int64_t(m_doc->GetCursor()) - m_doc->GetAnchor()) + 1;
    const int64_t zoom = (length + width - 1) / width;
    if (zoom > 0 && zoom != m_doc->GetZoom()) {
        m_doc->SetZoom(int32_t(zoom)); // hint 5 applies the change with the old factor
        ScrollToColumn(std::min(m_doc->GetCursor(), m_doc->GetAnchor()) / zoom);
    }
}

} // namespace ondrix
