// How the sample view follows the document: update hints, playback following, peaks and status.

#include "views/sample_view.h"

#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "settings/core/settings.h"
#include "views/core/lane_mapping.h"
#include "views/ondrix_child.h"
#include "views/time_ruler.h"
#include "views/track_lane.h"

#include <QApplication>

namespace ondrix {

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

} // namespace ondrix
