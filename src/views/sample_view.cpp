#include "views/sample_view.h"

#include "controls/ui/palette.h"
#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"
#include "views/ondrix_child.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace ondrix {

namespace {

constexpr int kTextHeight = 18;
constexpr int kFollowPeriodMs = 100;

} // namespace

CSampleView::CSampleView(COndrixDoc* doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    setObjectName(QStringLiteral("SampleView"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(0);
    doc->AddView(this);
    MapCommand(cmd::kSwitchPane, [this] {
        m_doc->UpdateAllViews(this, HINT_ACTIVATE_OTHER,
                              reinterpret_cast<intptr_t>(static_cast<CDocView*>(this)));
    });
    MapCommand(cmd::kPreviousTrack, [this] { StepLane(-1); });
    MapCommand(cmd::kNextTrack, [this] { StepLane(1); });
    m_followTimer.setInterval(kFollowPeriodMs);
    connect(&m_followTimer, &QTimer::timeout, this, &CSampleView::OnFollowTimer);
    m_followTimer.start();
    RebuildLanes();
}

CSampleView::~CSampleView() {
    m_doc->SetSampleShown(false);
    m_doc->RemoveView(this);
}

void CSampleView::StepLane(int delta) {
    const auto lanes = int(m_laneTracks.size());
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
    update();
}

void CSampleView::RebuildLanes() {
    m_laneTracks.clear();
    const CSampleStore* store = m_doc->GetStore();
    for (uint32_t t = 0; t < store->GetTrackCount(); ++t) {
        if (store->m_trackFlags[t] & TRACK_SHOWN) {
            m_laneTracks.push_back(t);
        }
    }
    if (store->HasData()) {
        m_doc->GetStore()->BuildDisplayCache(0xFFFFFFFF, 0, 0);
    }
    UpdateShownFlag();
    update();
}

void CSampleView::UpdateShownFlag() {
    m_doc->SetSampleShown(isVisible() && height() > 0 && !m_laneTracks.empty());
}

QString CSampleView::GetLengthText() const {
    const CSampleStore* store = m_doc->GetStore();
    const uint32_t frames = store->GetFrameCount();
    const QString time = QString::fromStdString(m_doc->TimeText(frames));
    return LoadQString(str::kLengthLabel).arg(time).arg(frames);
}

int64_t CSampleView::FrameAt(int x) const {
    const int64_t frames = m_doc->GetStore()->GetFrameCount();
    if (width() <= 0 || frames == 0) {
        return 0;
    }
    return std::clamp<int64_t>(int64_t(double(x) / width() * double(frames) + 0.5), 0, frames - 1);
}

int CSampleView::ColumnOf(int64_t frame) const {
    const int64_t frames = m_doc->GetStore()->GetFrameCount();
    return frames == 0 ? 0 : int(double(frame) / double(frames) * width() + 0.5);
}

void CSampleView::OnUpdate(CDocView* sender, uint32_t hint, intptr_t data) {
    switch (hint) {
    case HINT_TRACKS:
    case HINT_TRACK_SHOWN:
    case HINT_NEW_SOUND:
    case HINT_LENGTH:
    case HINT_DATA:
    case HINT_REBUILD:
        m_doc->GetStore()->FreeDisplayCache();
        RebuildLanes();
        break;
    case HINT_ACTIVATE_OTHER:
        COndrixChild::ActivateOnRequest(this, sender);
        break;
    case HINT_ZOOM_BLOCK: {
        int32_t first = 0;
        int32_t last = 0;
        m_doc->GetBlock(first, last);
        m_doc->SetZoom(std::max(1, (last - first + 1) / std::max(1, width())));
        update();
        break;
    }
    case HINT_SELECT: {
        const auto* range = reinterpret_cast<const int32_t*>(data);
        m_doc->SetBlock(range[0], range[1]);
        update();
        break;
    }
    case HINT_SET_CURSOR: {
        m_doc->SetBlock(-1, int32_t(data));
        update();
        break;
    }
    default:
        update();
        break;
    }
}

void CSampleView::OnFollowTimer() {
    const bool busy = m_doc->IsBusy();
    if (busy) {
        if (g_settings.playBack.scrollCursor && m_doc->IsPlaying()) {
            m_doc->SetCursor(int32_t(m_doc->GetStore()->GetAudioPosition()));
            update();
        }
        m_doc->UpdateStatus(2);
        m_doc->UpdateStatus(3);
        m_doc->UpdateStatus(4);
    } else if (m_wasBusy) {
        m_doc->UpdateStatus(0);
        update();
    }
    m_wasBusy = busy;
}

void CSampleView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const SampleWindowSettings& colours = g_settings.sampleWindow;
    painter.fillRect(rect(), PaletteColour(colours.backGround));
    CSampleStore* store = m_doc->GetStore();
    if (!store->HasData()) {
        return;
    }
    painter.setPen(PaletteColour(colours.foreGround));
    painter.drawText(QRect(4, 0, width() - 8, kTextHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     GetLengthText());
    if (m_laneTracks.empty()) {
        return;
    }
    const int laneHeight = std::max(1, (height() - kTextHeight) / int(m_laneTracks.size()));
    int32_t first = 0;
    int32_t last = 0;
    m_doc->GetBlock(first, last);
    const int blockLeft = m_doc->HasBlock() ? ColumnOf(first) : -1;
    const int blockRight = m_doc->HasBlock() ? ColumnOf(int64_t(last) + 1) : -1;
    for (std::size_t lane = 0; lane < m_laneTracks.size(); ++lane) {
        const uint32_t track = m_laneTracks[lane];
        const int top = kTextHeight + int(lane) * laneHeight;
        const int middle = top + laneHeight / 2;
        const bool edited = m_doc->IsEditedTrack(track);
        painter.setPen(PaletteColour(colours.zeroLine));
        painter.drawLine(0, middle, width(), middle);
        for (int x = 0; x < width(); ++x) {
            const bool inBlock = x >= blockLeft && x < blockRight && edited;
            painter.setPen(PaletteColour(inBlock ? colours.selected : colours.foreGround));
            const int value = store->GetDisplaySample(uint32_t(FrameAt(x)), int(track));
            const int extent = int(int64_t(std::abs(value)) * (laneHeight / 2 - 1) / 32768);
            painter.drawLine(x, middle - extent, x, middle + extent);
        }
        painter.setPen(PaletteColour(colours.foreGround));
        painter.drawText(QRect(4, top, width() - 8, kTextHeight), Qt::AlignLeft | Qt::AlignTop,
                         LoadQString(str::kTrackLabel).arg(track + 1));
        if (lane > 0) {
            painter.setPen(PaletteColour(colours.zeroLine));
            painter.drawLine(0, top, width(), top);
        }
    }
    const int cursorX = ColumnOf(m_doc->GetCursor());
    painter.setPen(PaletteColour(8));
    painter.drawLine(cursorX, kTextHeight, cursorX, height());
}

void CSampleView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateShownFlag();
}

void CSampleView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    UpdateShownFlag();
}

void CSampleView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    UpdateShownFlag();
}

void CSampleView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton || m_doc->GetStore()->GetFrameCount() == 0 ||
        m_laneTracks.empty()) {
        return;
    }
    const int laneHeight = std::max(1, (height() - kTextHeight) / int(m_laneTracks.size()));
    const int lane =
        std::clamp((int(event->position().y()) - kTextHeight) / laneHeight, 0, int(m_laneTracks.size()) - 1);
    m_doc->SetCurrentTrack(m_laneTracks[std::size_t(lane)]);
    m_doc->SetBlock(-1, int32_t(FrameAt(int(event->position().x()))));
    update();
}

void CSampleView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (auto* child = COndrixChild::ChildOf(this)) {
        child->NoteActiveView(this);
    }
}

} // namespace ondrix
