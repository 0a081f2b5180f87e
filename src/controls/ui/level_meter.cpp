#include "controls/ui/level_meter.h"

#include "controls/meter_scale.h"

#include <QMouseEvent>
#include <QPainter>

namespace ondrix {

namespace {

/// Dark (off) and bright (on) colours of the three groups.
QColor GroupColor(MeterGroup group, bool lit) {
    switch (group) {
    case MeterGroup::Red:
        return lit ? QColor(255, 0, 0) : QColor(128, 0, 0);
    case MeterGroup::Yellow:
        return lit ? QColor(255, 255, 0) : QColor(128, 128, 0);
    case MeterGroup::Green:
        break;
    }
    return lit ? QColor(0, 255, 0) : QColor(0, 128, 0);
}

constexpr int kPreferredLength = 126;
constexpr int kPreferredThickness = 10;

} // namespace

CLevelMeter::CLevelMeter(QWidget* parent) : QWidget(parent) {}

void CLevelMeter::SetLevel(uint32_t level, bool peakMode, bool redraw) {
    const uint32_t next = NextMeterLevel(m_level, level, peakMode);
    if (next == m_level) {
        return;
    }
    m_level = next;
    if (redraw) {
        update();
    }
}

void CLevelMeter::SetOrientation(bool horizontal, bool redraw) {
    m_horizontal = horizontal;
    updateGeometry();
    if (redraw) {
        update();
    }
}

void CLevelMeter::SetClipped(bool clipped) {
    if (clipped != m_clipped) {
        m_clipped = clipped;
        update();
    }
}

int CLevelMeter::Length() const noexcept {
    return m_horizontal ? width() : height();
}

int CLevelMeter::SegmentCount() const noexcept {
    return MeterSegmentCount(Length());
}

QColor CLevelMeter::SegmentColor(int index) const {
    const int count = SegmentCount();
    if (m_clipped && index == count - 1) {
        return GroupColor(MeterGroup::Red, true);
    }
    const uint32_t value = MeterSegmentValue(index, count);
    return GroupColor(MeterSegmentGroup(value), m_level > value);
}

QSize CLevelMeter::sizeHint() const {
    return m_horizontal ? QSize(kPreferredLength, kPreferredThickness)
                        : QSize(kPreferredThickness, kPreferredLength);
}

void CLevelMeter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int count = SegmentCount();
    for (int i = 0; i < count; ++i) {
        // one pixel between segments, none after the last
        const int start = i * kMeterSegmentSize;
        const int size = i + 1 < count ? kMeterSegmentSize - 1 : kMeterSegmentSize;
        const QRect segment =
            m_horizontal ? QRect(start, 0, size, height()) : QRect(0, height() - start - size, width(), size);
        painter.fillRect(segment, SegmentColor(i));
    }
}

void CLevelMeter::mousePressEvent(QMouseEvent* event) {
    SetClipped(false);
    QWidget::mousePressEvent(event);
}

} // namespace ondrix
