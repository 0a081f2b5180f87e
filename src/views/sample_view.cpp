#include "views/sample_view.h"

#include "controls/ui/palette.h"
#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "settings/core/settings.h"
#include "views/core/lane_keys.h"
#include "views/core/lane_layout.h"
#include "views/core/lane_mapping.h"
#include "views/frame_access.h"
#include "views/ondrix_child.h"
#include "views/time_ruler.h"
#include "views/track_lane.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace ondrix {

namespace {

constexpr int kFollowPeriodMs = 100; // timer 100
constexpr int kStatusPeriodMs = 100; // timer 101
constexpr int kPeakPollMs = 50;      // how often a running summary is looked at

} // namespace

CSampleView::CSampleView(COndrixDoc* doc, QWidget* parent) : QAbstractScrollArea(parent), m_doc(doc) {
    setObjectName(QStringLiteral("SampleView"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setRange(0, 0);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, &CSampleView::OnScrollAction);
    doc->AddView(this);
    MapCommand(cmd::kSwitchPane, [this] {
        m_doc->UpdateAllViews(this, HINT_ACTIVATE_OTHER,
                              reinterpret_cast<intptr_t>(static_cast<CDocView*>(this)));
    });
    MapCommand(cmd::kPreviousTrack, [this] { StepLane(-1); });
    MapCommand(cmd::kNextTrack, [this] { StepLane(1); });
    m_followTimer.setInterval(kFollowPeriodMs);
    connect(&m_followTimer, &QTimer::timeout, this, &CSampleView::OnFollowTimer);
    m_peakTimer.setInterval(kPeakPollMs);
    connect(&m_peakTimer, &QTimer::timeout, this, &CSampleView::OnPeakTimer);
    m_statusTimer.setInterval(kStatusPeriodMs);
    connect(&m_statusTimer, &QTimer::timeout, this, &CSampleView::OnStatusTimer);
    RebuildLanes();
    SummariseData();
}

CSampleView::~CSampleView() {
    m_followTimer.stop();
    m_statusTimer.stop();
    m_doc->SetSampleShown(false);
    m_doc->RemoveView(this);
}

CTrackLane* CSampleView::Lane(int index) const {
    return index >= 0 && index < LaneCount() ? m_lanes[std::size_t(index)] : nullptr;
}

CTrackLane* CSampleView::LaneOfTrack(uint32_t track) const {
    for (int i = 0; i < LaneCount(); ++i) {
        if (m_laneTracks[std::size_t(i)] == track) {
            return m_lanes[std::size_t(i)];
        }
    }
    return nullptr;
}

CTrackLane* CSampleView::FocusedLane() const {
    for (int i = 0; i < LaneCount(); ++i) {
        if (m_lanes[std::size_t(i)]->hasFocus()) {
            return m_lanes[std::size_t(i)];
        }
    }
    return Lane(0);
}

int CSampleView::LaneWidth() const {
    return viewport()->width();
}

bool CSampleView::IsEditingLocked() const {
    return m_doc->IsBusy() || m_doc->GetRecordStore() != nullptr;
}

void CSampleView::ShowContextMenu(const QPoint& globalPos) {
    ShowEditMenu(this, globalPos);
}

void CSampleView::NoteLaneFocus() {
    if (auto* child = COndrixChild::ChildOf(this)) {
        child->NoteActiveView(this);
    }
}

// --- lanes ---

std::vector<uint32_t> CSampleView::ShownTracks() const {
    std::vector<uint32_t> tracks;
    const CSampleStore* store = m_doc->GetStore();
    for (uint32_t t = 0; t < store->GetTrackCount() && tracks.size() < kMaxLanes; ++t) {
        if (store->m_trackFlags[t] & TRACK_SHOWN) {
            tracks.push_back(t);
        }
    }
    return tracks;
}

void CSampleView::RebuildLanes() {
    const std::vector<uint32_t> tracks = ShownTracks();
    const auto count = int(tracks.size());
    const bool hadLanes = LaneCount() > 0;
    bool layoutChanged = false;
    for (int i = 0; i < count; ++i) {
        m_laneEdited[std::size_t(i)] = m_doc->IsEditedTrack(tracks[std::size_t(i)]);
    }
    const uint32_t zoom = uint32_t(std::max(0, m_doc->GetZoom()));
    const auto firstFrame = uint32_t(int64_t(zoom) * m_scrollColumn);
    const bool wantRuler = g_settings.sampleWindow.lineal != 0 && count > 0;
    if (wantRuler && !m_ruler) {
        m_ruler = new CTimeRuler(this, m_doc, viewport());
        m_ruler->SetZoom(zoom, firstFrame);
        m_ruler->show();
        layoutChanged = layoutChanged || hadLanes;
    } else if (!wantRuler && m_ruler) {
        delete m_ruler;
        m_ruler = nullptr;
        layoutChanged = layoutChanged || hadLanes;
    }
    for (int i = count; i < LaneCount(); ++i) {
        delete m_lanes[std::size_t(i)];
        m_lanes[std::size_t(i)] = nullptr;
        layoutChanged = true;
    }
    for (int i = LaneCount(); i < count; ++i) {
        auto* lane = new CTrackLane(this, m_doc, tracks[std::size_t(i)], viewport());
        lane->SetZoom(zoom, firstFrame);
        connect(
            lane, &CTrackLane::laneFocused, this,
            [this](int id) { m_doc->SetCurrentTrack(uint32_t(id - CTrackLane::kFirstControlId)); },
            Qt::QueuedConnection);
        lane->show();
        m_lanes[std::size_t(i)] = lane;
        layoutChanged = layoutChanged || hadLanes;
    }
    for (int i = 0; i < std::min(count, LaneCount()); ++i) {
        const int id = CTrackLane::kFirstControlId + int(tracks[std::size_t(i)]);
        if (m_lanes[std::size_t(i)]->GetControlId() != id) {
            m_lanes[std::size_t(i)]->SetControlId(id);
            layoutChanged = true;
        }
    }
    const bool focused =
        hasFocus() || (QApplication::focusWidget() && isAncestorOf(QApplication::focusWidget()));
    m_laneTracks = tracks;
    if (layoutChanged || !hadLanes) {
        LayOutChildren();
    }
    viewport()->update();
    InvalidateLanes();
    UpdateShownFlag();
    if (focused && count == 0) {
        m_doc->UpdateAllViews(this, HINT_ACTIVATE_OTHER,
                              reinterpret_cast<intptr_t>(static_cast<CDocView*>(this)));
    }
}

void CSampleView::LayOutChildren() {
    const int width = viewport()->width();
    const int height = viewport()->height();
    const LaneLayout layout = LayOutLanes(height, LaneCount(), m_ruler != nullptr);
    // the lanes scroll vertically under a ruler that stays in place
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, layout.contentHeight - height));
    bar->setPageStep(std::max(1, height));
    bar->setSingleStep(kMinLaneHeight);
    const int y = bar->value();
    for (int i = 0; i < LaneCount(); ++i) {
        const LaneSpan& span = layout.lanes[std::size_t(i)];
        m_lanes[std::size_t(i)]->setGeometry(0, span.top - y, width, span.bottom - span.top);
    }
    if (m_ruler) {
        m_ruler->setGeometry(0, 0, width, kRulerHeight);
        m_ruler->raise();
    }
}

void CSampleView::InvalidateLanes() {
    for (int i = 0; i < LaneCount(); ++i) {
        m_lanes[std::size_t(i)]->update();
    }
    if (m_ruler) {
        m_ruler->update();
    }
}

void CSampleView::InvalidateSelectionColumns(int64_t from, int64_t to) {
    const auto left = int(std::clamp<int64_t>(from, -1, LaneWidth() + 1));
    const auto right = int(std::clamp<int64_t>(to, -1, LaneWidth() + 1));
    for (int i = 0; i < LaneCount(); ++i) {
        CTrackLane* lane = m_lanes[std::size_t(i)];
        if (m_doc->IsEditedTrack(lane->GetTrack())) {
            lane->update(QRect(QPoint(left, 0), QPoint(right, lane->height())));
        }
    }
    if (m_ruler) {
        m_ruler->InvalidateBand(from, to);
    }
}

void CSampleView::RefreshEditStates() {
    for (int i = 0; i < LaneCount(); ++i) {
        const bool edited = m_doc->IsEditedTrack(m_laneTracks[std::size_t(i)]);
        if (edited != m_laneEdited[std::size_t(i)]) {
            m_laneEdited[std::size_t(i)] = edited;
            m_lanes[std::size_t(i)]->update();
        }
    }
}

void CSampleView::UpdateShownFlag() {
    m_doc->SetSampleShown(isVisible() && height() > 0 && LaneCount() > 0);
}

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

// --- selection from the document ---

void CSampleView::SelectRange(int64_t a, int64_t b) {
    if (CTrackLane* lane = FocusedLane()) {
        lane->SelectRange(a, b);
        return;
    }
    // without lanes the document keeps the block by itself
    const int64_t frames = m_doc->GetStore()->GetFrameCount();
    const auto first = int32_t(ClampToSound(a, frames));
    const auto last = int32_t(ClampToSound(b, frames));
    m_doc->SetBlock(first == last ? -1 : first, last);
}

void CSampleView::MoveCursorTo(int64_t frame) {
    if (CTrackLane* lane = FocusedLane()) {
        lane->SetCursor(frame);
        lane->EnsureVisible();
        lane->EndSelection(true);
        return;
    }
    m_doc->SetBlock(-1, int32_t(ClampToSound(frame, m_doc->GetStore()->GetFrameCount())));
}

void CSampleView::StepLane(int delta) {
    const int lanes = LaneCount();
    if (lanes == 0) {
        return;
    }
    const auto it = std::find(m_laneTracks.begin(), m_laneTracks.end(), m_doc->GetCurrentTrack());
    int lane = 0;
    if (it == m_laneTracks.end()) {
        // without a lane of its own the current track steps to the last lane (back) or the first (on)
        lane = delta < 0 ? lanes - 1 : 0;
    } else {
        lane = (int(it - m_laneTracks.begin()) + delta + lanes) % lanes;
    }
    m_doc->SetCurrentTrack(m_laneTracks[std::size_t(lane)]);
    m_lanes[std::size_t(lane)]->setFocus(Qt::OtherFocusReason);
}

// --- update hints ---

void CSampleView::OnUpdate(CDocView* sender, uint32_t hint, intptr_t data) {
    switch (hint) {
    case HINT_TRACKS:
    case HINT_TRACK_SHOWN:
    case HINT_REBUILD:
        RebuildLanes();
        break;
    case HINT_NEW_SOUND:
        m_scrollColumn = 0; // a new sound starts at its first frame with its own zoom
        TakeZoom();
        UpdateScrollBar();
        RebuildLanes();
        SummariseData();
        break;
    case HINT_LENGTH: {
        // an undo may have swapped in a store with other tracks shown
        if (ShownTracks() != m_laneTracks) {
            RebuildLanes();
        }
        SummariseData();
        const int64_t frames = m_doc->GetStore()->GetFrameCount();
        if (m_doc->GetCursor() >= frames) {
            MoveCursorTo(frames - 1);
        }
        UpdateScrollBar();
        MoveCursorTo(m_doc->GetCursor());
        viewport()->update();
        InvalidateLanes();
        break;
    }
    case HINT_ZOOM:
        ApplyZoomChange(uint32_t(data));
        break;
    case HINT_ACTIVATE_OTHER:
        COndrixChild::ActivateOnRequest(this, sender);
        break;
    case HINT_PLAY_NO_BLOCK:
        if (g_settings.playBack.scrollCursor) {
            m_followTimer.start();
        }
        m_statusTimer.start();
        break;
    case HINT_ZOOM_BLOCK:
        ZoomIntoBlock();
        break;
    case HINT_SELECT: {
        const auto* range = reinterpret_cast<const int32_t*>(data);
        SelectRange(range[0], range[1]);
        break;
    }
    case HINT_SET_CURSOR:
        MoveCursorTo(int64_t(data));
        break;
    case HINT_DATA:
        if (ShownTracks() != m_laneTracks) {
            RebuildLanes();
        }
        SummariseData();
        viewport()->update();
        InvalidateLanes();
        break;
    case HINT_CURSOR_MOVED:
        if (m_ruler) {
            m_ruler->CursorMoved(int64_t(data));
        }
        if (m_laneChanges == 0) {
            // a command moved the cursor or the block
            InvalidateLanes();
            for (int i = 0; i < LaneCount(); ++i) {
                m_lanes[std::size_t(i)]->SyncCaret();
            }
        }
        break;
    case HINT_EDIT_STATE:
        RefreshEditStates();
        break;
    case HINT_RECORD_PREPARED:
        m_statusTimer.start();
        break;
    default:
        break;
    }
}

// --- timers ---

void CSampleView::SummariseData() {
    CSampleStore* store = m_doc->GetStore();
    store->FreeDisplayCache(); // the data may have changed under it
    if (g_settings.sampleWindow.peakDisplay == 0) {
        return;
    }
    store->RebuildPeaks();
    if (store->Peaks().IsReady()) {
        InvalidateLanes();
    } else {
        m_peakTimer.start();
    }
}

void CSampleView::OnPeakTimer() {
    const CPeakSummary& peaks = m_doc->GetStore()->Peaks();
    if (peaks.IsReady() || !peaks.IsBuilding()) {
        m_peakTimer.stop();
        InvalidateLanes(); // the lanes draw the summary's ranges now
    }
}

void CSampleView::OnFollowTimer() {
    if (!m_doc->IsPlaying()) {
        m_followTimer.stop();
        return;
    }
    CTrackLane* lane = LaneOfTrack(m_doc->GetCurrentTrack());
    if (!lane || !lane->hasFocus()) {
        return;
    }
    const uint32_t zoom = lane->GetZoom();
    lane->SetCursor(int64_t(m_doc->GetStore()->GetAudioPosition()));
    if (zoom == 0) {
        lane->EnsureVisible();
    } else {
        // at a zoom the page turns when the cursor leaves the lane
        const int64_t x = lane->Mapping().FrameToPixel(int64_t(m_doc->GetCursor()));
        if (x < 0 || x >= lane->width()) {
            ScrollToColumn(m_doc->GetCursor() / int64_t(zoom));
        }
    }
    lane->EndSelection(true);
}

void CSampleView::OnStatusTimer() {
    if (!m_doc->IsBusy()) {
        m_statusTimer.stop();
        m_doc->UpdateStatus(0);
        return;
    }
    QWidget* focus = QApplication::focusWidget();
    COndrixChild* child = COndrixChild::ChildOf(this);
    if (focus && child && child->isAncestorOf(focus)) {
        m_doc->UpdateStatus(3);
        m_doc->UpdateStatus(4);
        m_doc->UpdateStatus(2);
    }
}

// --- events ---

void CSampleView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, PaletteColour(g_settings.sampleWindow.backGround));
    const int width = viewport()->width();
    const auto separator = [&](int y) {
        const QRect rows(0, y, width, kLaneGap);
        if (!rows.intersects(area)) {
            return;
        }
        painter.fillRect(0, y, width, 1, palette().color(QPalette::Light));
        painter.fillRect(0, y + 1, width, 1, palette().color(QPalette::Button));
        painter.fillRect(0, y + 2, width, 1, palette().color(QPalette::Dark));
    };
    if (m_ruler && LaneCount() > 0) {
        separator(kRulerHeight);
    }
    for (int i = 1; i < LaneCount(); ++i) {
        separator(m_lanes[std::size_t(i - 1)]->geometry().bottom() + 1);
    }
}

void CSampleView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    LayOutChildren();
    UpdateScrollBar();
    UpdateShownFlag();
}

void CSampleView::scrollContentsBy(int, int dy) {
    // the horizontal bar counts columns of the zoom (ScrollToColumn); only the vertical moves lanes
    if (dy != 0) {
        LayOutChildren();
        viewport()->update();
    }
}

void CSampleView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    UpdateShownFlag();
}

void CSampleView::hideEvent(QHideEvent* event) {
    QAbstractScrollArea::hideEvent(event);
    UpdateShownFlag();
}

void CSampleView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    NoteLaneFocus();
    if (LaneCount() == 0) {
        return;
    }
    CTrackLane* lane = LaneOfTrack(m_doc->GetCurrentTrack());
    (lane ? lane : m_lanes[0])->setFocus(Qt::OtherFocusReason);
}

} // namespace ondrix
