#include "views/time_ruler.h"

#include "controls/ui/palette.h"
#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"
#include "views/core/lane_keys.h"
#include "views/position_text.h"
#include "views/sample_view.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QToolTip>

#include <algorithm>

namespace ondrix {

namespace {

/// The label font's pixel size: the ruler's labels fit above the long ticks.
constexpr int kLabelPixelSize = 10;

} // namespace

CTimeRuler::CTimeRuler(CSampleView* view, COndrixDoc* doc, QWidget* parent)
    : QWidget(parent), m_view(view), m_doc(doc) {
    setObjectName(QStringLiteral("TimeRuler"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont labels = font();
    labels.setPixelSize(kLabelPixelSize);
    setFont(labels);
}

void CTimeRuler::SetZoom(uint32_t zoom, uint32_t firstFrame) noexcept {
    m_zoom = zoom;
    m_firstFrame = firstFrame;
}

void CTimeRuler::ScrollTo(uint32_t firstFrame, int dx) {
    m_firstFrame = firstFrame;
    // labels reach beyond their ticks: the strip next to the uncovered one is repainted too
    update();
    (void)dx;
}

LaneMapping CTimeRuler::Mapping() const noexcept {
    return {m_zoom, m_firstFrame, int64_t(m_doc->GetStore()->GetFrameCount()), width()};
}

int CTimeRuler::LabelWidth() const {
    const CSampleStore& store = *m_doc->GetStore();
    const int64_t frames = store.GetFrameCount();
    return fontMetrics().horizontalAdvance(PositionText(store, std::max<int64_t>(frames - 1, 0), false));
}

std::vector<std::pair<RulerTick, QString>> CTimeRuler::TicksBetween(int left, int right) const {
    std::vector<std::pair<RulerTick, QString>> result;
    const int labelWidth = LabelWidth();
    const LaneMapping mapping = Mapping();
    const RulerScale scale = ComputeRulerScale(mapping, m_doc->GetStore()->GetSampleRate(), labelWidth,
                                               g_settings.sampleWindow.timeFmt);
    for (const RulerTick& tick : RulerTicks(mapping, scale, left, right, labelWidth)) {
        QString label;
        if (tick.labelled) {
            const int64_t frame = RoundHalfAway(tick.position);
            label = frame == 0 ? QStringLiteral("0") : PositionText(*m_doc->GetStore(), frame, false);
        }
        result.emplace_back(tick, label);
    }
    return result;
}

std::vector<std::pair<RulerTick, QString>> CTimeRuler::LabelledTicks() const {
    return TicksBetween(0, width());
}

QRect CTimeRuler::MarkerRect(int64_t frame) const {
    const int h = height();
    const auto x = int(std::clamp<int64_t>(Mapping().FrameToPixel(frame), -100, width() + 100));
    return QRect(QPoint(x - 3, h - h / 6 - 5), QPoint(x + 4, h - h / 6));
}

void CTimeRuler::CursorMoved(int64_t oldCursor) {
    update(MarkerRect(oldCursor));
    update(MarkerRect(m_doc->GetCursor()));
}

void CTimeRuler::InvalidateBand(int64_t from, int64_t to) {
    const int h = height();
    const auto left = int(std::clamp<int64_t>(from, -1, width() + 1));
    const auto right = int(std::clamp<int64_t>(to, -1, width() + 1));
    update(QRect(QPoint(left, h - h / 6), QPoint(right, h)));
}

void CTimeRuler::DrawMarker(QPainter& painter, int64_t frame, bool range) const {
    const int h = height();
    const int64_t x = Mapping().FrameToPixel(frame);
    const int top = h - h / 6 - 5;
    // a small arrow pointing down at the frame's column
    const QPolygon arrow({QPoint(int(x) - 3, top), QPoint(int(x) + 3, top), QPoint(int(x), top + 4)});
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(range ? PaletteColour(g_settings.sampleWindow.selected)
                           : palette().color(QPalette::Text));
    painter.drawPolygon(arrow);
}

void CTimeRuler::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    const int h = height();
    painter.fillRect(area, palette().color(QPalette::Button));
    const LaneMapping mapping = Mapping();
    if (mapping.frames == 0) {
        return;
    }
    const int32_t cursor = m_doc->GetCursor();
    const int32_t anchor = m_doc->GetAnchor();
    if (anchor != -1 && anchor != cursor) {
        const int64_t from = mapping.FrameToPixel(int64_t(std::min(cursor, anchor)));
        const int64_t to = mapping.FrameToPixel(int64_t(std::max(cursor, anchor)));
        const auto left = int(std::clamp<int64_t>(from, -1, width() + 1));
        const auto right = int(std::clamp<int64_t>(to, -1, width() + 1));
        painter.fillRect(QRect(QPoint(left, h - h / 6), QPoint(right, h)),
                         PaletteColour(g_settings.sampleWindow.selected));
    }
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor darkShadow = palette().color(QPalette::Shadow);
    const QColor highlight = palette().color(QPalette::Light);
    painter.setPen(palette().color(QPalette::WindowText));
    for (const auto& [tick, label] : TicksBetween(area.left(), area.left() + area.width())) {
        const int x = int(tick.x);
        const int top = tick.labelled ? h - h / 3 : h - h / 6;
        painter.fillRect(x - 1, top, 1, h - top, shadow);
        painter.fillRect(x, top, 1, h - top, darkShadow);
        painter.fillRect(x + 1, top, 1, h - top, highlight);
        if (!label.isEmpty()) {
            const int textWidth = fontMetrics().horizontalAdvance(label);
            const int left = RoundHalfAway(tick.position) == 0 ? x : x - textWidth / 2;
            painter.drawText(QRect(left, 0, textWidth + 1, h - h / 3), Qt::AlignLeft | Qt::AlignVCenter,
                             label);
        }
    }
    const QRect wider = area.adjusted(-3, 0, 3, 0);
    const auto markerVisible = [&](int64_t frame) {
        const int64_t x = mapping.FrameToPixel(frame);
        return x >= wider.left() && x <= wider.right();
    };
    if (markerVisible(cursor)) {
        DrawMarker(painter, cursor, false);
    }
    if (m_rangeMode && markerVisible(m_rangeAnchor)) {
        DrawMarker(painter, m_rangeAnchor, true);
    }
}

// --- mouse ---

void CTimeRuler::PlaceCursor(int x) {
    const int64_t frames = m_doc->GetStore()->GetFrameCount();
    const int64_t frame = ClampToSound(Mapping().PixelToFrame(x), frames);
    if (frame != m_doc->GetCursor()) {
        m_doc->UpdateAllViews(nullptr, HINT_SET_CURSOR, intptr_t(frame));
    }
}

void CTimeRuler::mousePressEvent(QMouseEvent* event) {
    m_view->setFocus(Qt::MouseFocusReason);
    if (m_view->IsEditingLocked()) {
        return;
    }
    const int x = int(event->position().x());
    if (event->button() == Qt::RightButton) {
        m_view->ShowContextMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (m_rangeMode) {
        unsetCursor();
        m_captured = false;
        m_rangeMode = false;
        update(MarkerRect(m_rangeAnchor));
        PlaceCursor(x);
        // the block from the double-click position to the click
        const int32_t range[2] = {int32_t(m_rangeAnchor), m_doc->GetCursor()};
        m_doc->UpdateAllViews(nullptr, HINT_SELECT, reinterpret_cast<intptr_t>(range));
        return;
    }
    m_captured = true;
    PlaceCursor(x);
}

void CTimeRuler::mouseMoveEvent(QMouseEvent* event) {
    if (m_captured && !m_view->IsEditingLocked()) {
        PlaceCursor(int(event->position().x()));
    }
}

void CTimeRuler::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_captured || m_rangeMode || m_view->IsEditingLocked()) {
        return;
    }
    m_captured = false;
    PlaceCursor(int(event->position().x()));
}

void CTimeRuler::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_view->IsEditingLocked() || m_rangeMode) {
        return;
    }
    m_captured = true;
    PlaceCursor(int(event->position().x()));
    m_rangeMode = true;
    m_rangeAnchor = m_doc->GetCursor();
    setCursor(Qt::SplitHCursor);
    update(MarkerRect(m_rangeAnchor));
}

bool CTimeRuler::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const CSampleStore& store = *m_doc->GetStore();
        const int64_t frames = store.GetFrameCount();
        if (frames == 0) {
            QToolTip::hideText();
            return true;
        }
        const int64_t frame = ClampToSound(Mapping().PixelToFrame(help->pos().x()), frames);
        const QString text =
            IsFrameTimeFormat()
                ? QString::number(frame)
                : LoadQString(str::kRulerTip).arg(PositionText(store, frame, true)).arg(frame);
        QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

} // namespace ondrix
