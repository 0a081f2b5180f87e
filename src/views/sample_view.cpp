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
