#include "effects/dialogs/envelope_editor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace ondrix {

namespace {
/// Pixels that make the drag distance.
constexpr int kDragPixels = 3;
} // namespace

CEnvelopeEditor::CEnvelopeEditor(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(kMinimumHeight);
    setMinimumWidth(100);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CEnvelopeEditor::SetLength(int64_t length) {
    m_length = std::max<int64_t>(0, length);
}

void CEnvelopeEditor::SetPoints(std::vector<EnvelopePoint> points) {
    m_points = std::move(points);
    m_dragged = -1;
    update();
}

void CEnvelopeEditor::SetColours(const QColor& background, const QColor& curve) {
    m_background = background;
    m_curve = curve;
    update();
}

QSize CEnvelopeEditor::sizeHint() const {
    return {360, 160};
}

int64_t CEnvelopeEditor::PositionAt(int x) const {
    const int width = std::max(1, this->width());
    return std::llround(double(m_length) * x / width);
}

int32_t CEnvelopeEditor::VolumeAt(int y) const {
    const int h = std::max(2, height());
    return std::clamp(((h - y) * 4 - 4) * 25 / (h - 1), 0, 100);
}

int64_t CEnvelopeEditor::DragDistance() const {
    const int width = std::max(1, this->width());
    return std::max<int64_t>(1, std::llround(double(m_length) * kDragPixels / width));
}

int CEnvelopeEditor::NearPoint(int64_t position) const {
    const int64_t reach = 2 * DragDistance();
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        if (std::abs(m_points[i].position - position) < reach) {
            return int(i);
        }
    }
    return -1;
}

void CEnvelopeEditor::mousePressEvent(QMouseEvent* event) {
    if (!TakesMouse() || m_captured) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    const int64_t position = PositionAt(pos.x());
    if (event->button() == Qt::LeftButton) {
        m_captured = true;
        m_dragged = NearPoint(position);
        if (m_dragged < 0) {
            const int64_t before = position - DragDistance();
            const auto at = std::find_if(m_points.begin(), m_points.end(),
                                         [&](const EnvelopePoint& p) { return p.position > before; });
            m_dragged = int(at - m_points.begin());
            m_points.insert(
                at, EnvelopePoint{int32_t(std::clamp<int64_t>(position, 0, m_length)), VolumeAt(pos.y())});
        }
        DragTo(pos);
        update();
    } else if (event->button() == Qt::RightButton) {
        const int near = NearPoint(position);
        if (near >= 0) {
            m_points.erase(m_points.begin() + near);
            update();
        }
    }
}

void CEnvelopeEditor::mouseMoveEvent(QMouseEvent* event) {
    if (!TakesMouse()) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (m_captured) {
        DragTo(pos);
    }
    emit MouseAt(std::clamp<int64_t>(PositionAt(pos.x()), 0, m_length), VolumeAt(pos.y()));
}

void CEnvelopeEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_captured || event->button() != Qt::LeftButton) {
        return;
    }
    DragTo(event->position().toPoint());
    m_captured = false;
    m_dragged = -1;
}

void CEnvelopeEditor::DragTo(const QPoint& pos) {
    if (m_dragged < 0 || m_dragged >= int(m_points.size())) {
        return;
    }
    const auto index = std::size_t(m_dragged);
    const int64_t gap = 2 * DragDistance();
    int64_t position = std::clamp<int64_t>(PositionAt(pos.x()), 0, m_length);
    if (index > 0) {
        position = std::max(position, int64_t(m_points[index - 1].position) + gap);
    }
    if (index + 1 < m_points.size()) {
        position = std::min(position, int64_t(m_points[index + 1].position) - gap);
    }
    const EnvelopePoint moved{int32_t(position), VolumeAt(pos.y())};
    if (!(moved == m_points[index])) {
        m_points[index] = moved;
        update();
    }
}

void CEnvelopeEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    if (m_points.empty() || height() < 2) {
        return;
    }
    const double w = width();
    const double h = height() - 1;
    const auto toPixel = [&](const EnvelopePoint& p) {
        const double x = m_length > 0 ? double(p.position) * w / double(m_length) : 0.0;
        return QPointF(x, h - h * p.volume / 100.0);
    };
    QPainterPath path(toPixel(m_points.front()));
    for (const EnvelopePoint& p : m_points) {
        path.lineTo(toPixel(p));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_curve, 1.5));
    painter.drawPath(path);
    painter.setBrush(m_curve);
    for (const EnvelopePoint& p : m_points) {
        painter.drawRect(QRectF(toPixel(p) - QPointF(2, 2), QSizeF(4, 4)));
    }
}

} // namespace ondrix
