#pragma once

#include "effects/effect_params.h"

#include <QColor>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace ondrix {

/// The envelope editor of the "Envelope" dialog: the curve through points (position in frames of the
/// block 0 .. L, volume 0 .. 100) over the block. The left button picks the point near the mouse or
/// inserts one and drags it; the right button deletes the point near the mouse. Near means strictly
/// within twice the frames of 3 pixels (at least one frame). Below 2 pixels of height it ignores the mouse.
class CEnvelopeEditor final : public QWidget {
    Q_OBJECT
public:
    /// The smallest height the editor keeps, so every pixel row has a volume of its own.
    static constexpr int kMinimumHeight = 40;

    /// An editor of an empty curve over a block of length 0.
    explicit CEnvelopeEditor(QWidget* parent = nullptr);

    /// Sets the block's length L in frames (last - first).
    void SetLength(int64_t length);
    /// Replaces the points (positions in frames of the block).
    void SetPoints(std::vector<EnvelopePoint> points);
    /// The points as edited.
    const std::vector<EnvelopePoint>& Points() const noexcept { return m_points; }
    /// Sets the colours of the background and the curve.
    void SetColours(const QColor& background, const QColor& curve);

    /// The position of pixel column x: round(L x x / width), halves away from zero.
    int64_t PositionAt(int x) const;
    /// The volume of pixel row y: ((h - y) x 4 - 4) x 25 / (h - 1), clamped to 0 .. 100.
    int32_t VolumeAt(int y) const;
    /// The distance in frames of 3 pixels, at least one frame.
    int64_t DragDistance() const;

    QSize sizeHint() const override;

signals:
    /// The mouse is over position (frames of the block) and volume (percent).
    void MouseAt(int64_t position, int32_t volume);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    /// The index of the point strictly within 2d of a position, or -1.
    int NearPoint(int64_t position) const;
    /// Moves the dragged point to the mouse, keeping it 2d from its neighbours; redraws when it moved.
    void DragTo(const QPoint& pos);
    /// Whether the height lets rows map to volumes.
    bool TakesMouse() const { return height() >= 2; }

    int64_t m_length = 0;
    std::vector<EnvelopePoint> m_points;
    int m_dragged = -1;
    bool m_captured = false;
    QColor m_background = Qt::black;
    QColor m_curve = Qt::green;
};

} // namespace ondrix
