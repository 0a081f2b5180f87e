#include "effects/dialogs/preview_box.h"

#include <QPainter>
#include <QPainterPath>

namespace ondrix {

CPreviewBox::CPreviewBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMinimumSize(120, 60);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CPreviewBox::SetColours(const QColor& background, const QColor& curve, const QColor& zeroLine) {
    m_background = background;
    m_curve = curve;
    m_zeroLine = zeroLine;
    update();
}

QSize CPreviewBox::sizeHint() const {
    return {220, 100};
}

void CPreviewBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QRect area = contentsRect();
    QPainter painter(this);
    painter.fillRect(area, m_background);
    const int width = area.width();
    const int height = area.height();
    if (width <= 0 || height <= 1) {
        return;
    }
    const auto rowOf = [&](double h) { return area.top() + (height - 1) * (1.0 - h); };
    painter.setPen(m_zeroLine);
    const double zero = rowOf(ZeroLine());
    painter.drawLine(QPointF(area.left(), zero), QPointF(area.right(), zero));

    QPainterPath path;
    for (int x = 0; x < width; ++x) {
        const QPointF point(area.left() + x, rowOf(HeightAt(x, width)));
        if (x == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_curve, 1.5));
    painter.drawPath(path);
}

} // namespace ondrix
