#pragma once

#include <QColor>
#include <QWidget>

#include <cstdint>

namespace ondrix {

/// A level meter: a row (or column) of 6-pixel segments, green below 70, yellow below 90, red above,
/// lit up to the level shown. Beyond the level, the last segment latches red while the run clipped
/// (a sample reached full scale) until the meter is clicked or the next run starts.
class CLevelMeter final : public QWidget {
    Q_OBJECT
public:
    /// A meter with segments running left to right.
    explicit CLevelMeter(QWidget* parent = nullptr);

    /// Shows a level 0..100, in peak mode with fast rise and slow fall; redraw repaints the meter.
    void SetLevel(uint32_t level, bool peakMode, bool redraw = true);
    /// The level shown now.
    uint32_t GetLevel() const noexcept { return m_level; }
    /// Sets the orientation: true runs the segments left to right, false bottom to top.
    void SetOrientation(bool horizontal, bool redraw = true);
    /// Whether the segments run left to right.
    bool IsHorizontal() const noexcept { return m_horizontal; }
    /// Sets or clears the clip latch (the last segment stays red while it is set).
    void SetClipped(bool clipped);
    /// Whether the clip latch is set.
    bool IsClipped() const noexcept { return m_clipped; }

    /// The number of segments the meter shows at its size.
    int SegmentCount() const noexcept;
    /// The colour a segment is drawn in now.
    QColor SegmentColor(int index) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    /// The meter's length along its segments, in pixels.
    int Length() const noexcept;

    uint32_t m_level = 0;
    bool m_horizontal = true;
    bool m_clipped = false;
};

} // namespace ondrix
