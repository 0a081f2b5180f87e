#include "views/track_lane.h"

#include "controls/ui/palette.h"
#include "document/ondrix_doc.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"
#include "views/core/lane_keys.h"
#include "views/frame_access.h"
#include "views/position_text.h"
#include "views/sample_view.h"
#include "views/waveform_painter.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace ondrix {

namespace {

/// The auto-scroll period while the pointer is outside a dragging lane.
constexpr int kDragPeriodMs = 16;

} // namespace

CTrackLane::CTrackLane(CSampleView* view, COndrixDoc* doc, uint32_t track, QWidget* parent)
    : QWidget(parent), m_view(view), m_doc(doc), m_controlId(kFirstControlId + int(track)) {
    setObjectName(QStringLiteral("Lane%1").arg(m_controlId));
    setFocusPolicy(Qt::TabFocus); // a click focuses the lane itself, telling the view (message 1274)
    setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_OpaquePaintEvent); // every paint fills its area: scrolling moves the pixels
    setMouseTracking(false);
    m_dragTimer.setInterval(kDragPeriodMs);
    connect(&m_dragTimer, &QTimer::timeout, this, &CTrackLane::OnDragTick);
    const int flash = QApplication::cursorFlashTime();
    m_blinkTimer.setInterval(flash > 0 ? flash / 2 : 500);
    connect(&m_blinkTimer, &QTimer::timeout, this, &CTrackLane::OnBlink);
}

void CTrackLane::SetControlId(int id) {
    m_controlId = id;
    setObjectName(QStringLiteral("Lane%1").arg(id));
    update();
}

void CTrackLane::SetZoom(uint32_t zoom, uint32_t firstFrame) noexcept {
    m_zoom = zoom;
    m_firstFrame = firstFrame;
}

void CTrackLane::ScrollTo(uint32_t firstFrame, int dx) {
    m_firstFrame = firstFrame;
    if (std::abs(dx) >= width()) {
        update();
    } else {
        scroll(dx, 0);
    }
}

LaneMapping CTrackLane::Mapping() const noexcept {
    return {m_zoom, m_firstFrame, int64_t(m_doc->GetStore()->GetFrameCount()), width()};
}

// --- cursor and selection ---

void CTrackLane::SetCursor(int64_t frame) {
    const auto clamped = int32_t(ClampToSound(frame, m_doc->GetStore()->GetFrameCount()));
    if (clamped == m_doc->GetCursor()) {
        return;
    }
    update(CaretRect());
    m_view->LaneChange([&] { m_doc->SetCursor(clamped); });
    update(CaretRect());
}

void CTrackLane::EnsureVisible() {
    if (m_zoom == 0 || width() <= 0) {
        return;
    }
    const int64_t x = Mapping().FrameToPixel(int64_t(m_doc->GetCursor()));
    if (x < 0) {
        m_view->ScrollToColumn(m_view->GetScrollColumn() + x);
    } else if (x > width() - 1) {
        m_view->ScrollToColumn(m_view->GetScrollColumn() + x - (width() - 1));
    }
}

void CTrackLane::BeginSelection() {
    DestroyCaret();
    if (m_doc->HasBlock()) {
        m_view->InvalidateLanes();
    }
    const int32_t cursor = m_doc->GetCursor();
    m_view->LaneChange([&] { m_doc->SetBlock(cursor, cursor); });
    m_drawnEnd = cursor;
}

void CTrackLane::UpdateSelection() {
    const int64_t cursor = m_doc->GetCursor();
    if (!m_doc->HasBlock() || cursor == m_drawnEnd) {
        return;
    }
    const LaneMapping mapping = Mapping();
    const int64_t from = mapping.FrameToPixel(std::min(cursor, m_drawnEnd)) - 2;
    const int64_t to = mapping.FrameToPixel(std::max(cursor, m_drawnEnd)) + 2;
    m_view->InvalidateSelectionColumns(from, to);
    m_drawnEnd = cursor;
}

void CTrackLane::EndSelection(bool clear) {
    const int32_t cursor = m_doc->GetCursor();
    if (!clear) {
        if (cursor == m_doc->GetAnchor()) {
            m_view->LaneChange([&] { m_doc->SetBlock(-1, cursor); });
            ShowCaret();
        } else {
            m_view->InvalidateLanes(); // the block stays
        }
        return;
    }
    if (m_doc->HasBlock()) {
        m_view->InvalidateLanes();
        m_view->LaneChange([&] { m_doc->SetBlock(-1, cursor); });
    }
    ShowCaret();
}

void CTrackLane::SelectRange(int64_t a, int64_t b) {
    SetCursor(a);
    BeginSelection();
    SetCursor(b);
    EndSelection(false);
}

// --- caret ---

QRect CTrackLane::CaretRect() const {
    const int64_t x = Mapping().FrameToPixel(int64_t(m_doc->GetCursor()));
    return {int(std::clamp<int64_t>(x, -1, width())), 1, 1, std::max(0, height() - 2)};
}

void CTrackLane::ShowCaret() {
    if (!hasFocus() || m_doc->HasBlock()) {
        return;
    }
    m_caretShown = true;
    m_caretOn = true;
    m_blinkTimer.start();
    update(CaretRect());
}

void CTrackLane::SyncCaret() {
    if (m_doc->HasBlock()) {
        DestroyCaret();
    } else if (!m_caretShown) {
        ShowCaret();
    } else {
        update(); // the caret moved with the cursor
    }
}

void CTrackLane::DestroyCaret() {
    if (!m_caretShown) {
        return;
    }
    m_caretShown = false;
    m_blinkTimer.stop();
    update(CaretRect());
}

void CTrackLane::OnBlink() {
    m_caretOn = !m_caretOn;
    update(CaretRect());
}

// --- painting ---

void CTrackLane::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const SampleWindowSettings& colours = g_settings.sampleWindow;
    const QRect area = event->rect();
    painter.fillRect(area, PaletteColour(colours.backGround));
    WaveformSource source;
    source.store = m_doc->GetStore();
    source.track = GetTrack();
    const int32_t cursor = m_doc->GetCursor();
    const int32_t anchor = m_doc->GetAnchor();
    source.hasBlock = anchor != -1 && cursor != anchor && m_doc->IsEditedTrack(GetTrack());
    source.blockFirst = std::min(cursor, anchor);
    source.blockLast = std::max(cursor, anchor);
    WaveformStyle style;
    style.foreground = PaletteColour(colours.foreGround);
    style.selected = PaletteColour(colours.selected);
    style.zeroLine = PaletteColour(colours.zeroLine);
    style.solid = colours.solidSample != 0;
    if (colours.peakDisplay != 0) {
        source.peaks = &source.store->Peaks();
    }
    DrawWaveform(painter, area, height(), Mapping(), source, style);
    if (m_caretShown && m_caretOn && !m_doc->HasBlock()) {
        const QRect caret = CaretRect();
        if (caret.intersects(area)) {
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.fillRect(caret, Qt::white);
        }
    }
}

void CTrackLane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_caretShown) {
        update(); // the caret takes the new height
    }
}

void CTrackLane::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_view->NoteLaneFocus();
    ShowCaret();
}

void CTrackLane::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    DestroyCaret();
}

// --- mouse ---

void CTrackLane::mousePressEvent(QMouseEvent* event) {
    const int x = int(event->position().x());
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        ShowContextMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
        emit laneFocused(m_controlId);
    }
    if (m_view->IsEditingLocked()) {
        return;
    }
    m_captured = true;
    SetCursor(Mapping().PixelToFrame(x));
    BeginSelection();
}

void CTrackLane::mouseMoveEvent(QMouseEvent* event) {
    if (!m_captured) {
        return;
    }
    int x = int(event->position().x());
    if (x >= 0 && x < width()) {
        m_dragTimer.stop();
    } else if (!m_dragTimer.isActive()) {
        m_dragTimer.start();
        m_dragRight = x >= width();
        x = m_dragRight ? width() - 1 : 0;
    } else {
        return;
    }
    SetCursor(Mapping().PixelToFrame(x));
    UpdateSelection();
}

void CTrackLane::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_dragTimer.stop();
    if (m_captured) {
        m_captured = false;
        EndSelection(false);
    }
}

void CTrackLane::OnDragTick() {
    // the key handling extends the block by half a lane width and scrolls
    QCoreApplication::postEvent(
        this,
        new QKeyEvent(QEvent::KeyPress, m_dragRight ? Qt::Key_PageUp : Qt::Key_PageDown, Qt::NoModifier));
}

// --- keys ---

void CTrackLane::keyPressEvent(QKeyEvent* event) {
    if (m_view->IsEditingLocked()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    const bool extending = shift || m_dragTimer.isActive();
    const LaneMapping mapping = Mapping();
    const int64_t cursor = m_doc->GetCursor();
    const auto move = [&](LaneKey key) { MoveByKey(CursorForKey(key, mapping, cursor), extending); };
    switch (event->key()) {
    case Qt::Key_PageUp:
        move(LaneKey::PageUp);
        break;
    case Qt::Key_PageDown:
        move(LaneKey::PageDown);
        break;
    case Qt::Key_End:
        move(LaneKey::End);
        break;
    case Qt::Key_Home:
        move(LaneKey::Home);
        break;
    case Qt::Key_Left:
        move(LaneKey::Left);
        break;
    case Qt::Key_Right:
        move(LaneKey::Right);
        break;
    case Qt::Key_Delete:
        if (shift) {
            move(LaneKey::Left);
            break;
        }
        {
            int32_t first = 0;
            int32_t last = 0;
            m_doc->GetBlock(first, last);
            SendWindowCommand(this, cmd::kEditDelete);
            // the cursor stays at the block's first frame, and no block remains
            MoveByKey(first, false);
        }
        break;
    case Qt::Key_Menu:
        ShowContextMenu(mapToGlobal(QPoint(0, 0)));
        break;
    case Qt::Key_F10:
        if (shift) {
            ShowContextMenu(mapToGlobal(QPoint(0, 0)));
            break;
        }
        QWidget::keyPressEvent(event);
        break;
    default:
        QWidget::keyPressEvent(event);
        break;
    }
}

void CTrackLane::MoveByKey(int64_t cursor, bool extending) {
    if (extending && !m_doc->HasBlock()) {
        BeginSelection();
    }
    SetCursor(cursor);
    EnsureVisible();
    if (extending) {
        UpdateSelection();
    } else {
        EndSelection(true);
    }
}

void CTrackLane::ShowContextMenu(const QPoint& globalPos) {
    ShowEditMenu(this, globalPos);
}

// --- tooltips ---

QString CTrackLane::ToolTipAt(int x) const {
    CSampleStore* store = m_doc->GetStore();
    const int64_t frames = store->GetFrameCount();
    if (frames == 0) {
        return {};
    }
    const int64_t frame = ClampToSound(Mapping().PixelToFrame(x), frames);
    const uint32_t bytes = store->GetBitsPerSample() / 8;
    uint8_t raw[2] = {0, 0};
    store->ReadData(uint32_t(frame) * store->GetBlockAlign() + GetTrack() * bytes, raw, bytes);
    const int value = bytes == 1 ? int(raw[0]) - 128 : int(int16_t(uint16_t(raw[0] | (raw[1] << 8))));
    return LoadQString(str::kLaneTip).arg(PositionText(*store, frame, true)).arg(value);
}

bool CTrackLane::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = ToolTipAt(help->pos().x());
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

} // namespace ondrix
