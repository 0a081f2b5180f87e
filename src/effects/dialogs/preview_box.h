#pragma once

#include <QColor>
#include <QFrame>

namespace ondrix {

/// A sunken box that draws a curve of a parameter dialog in the sample window's colours: the background,
/// a zero line and the curve through one y value (0..1 from the bottom up) per pixel column.
class CPreviewBox : public QFrame {
    Q_OBJECT
public:
    /// An empty box.
    explicit CPreviewBox(QWidget* parent = nullptr);

    /// Sets the colours of the background, the curve and the zero line.
    void SetColours(const QColor& background, const QColor& curve, const QColor& zeroLine);
    /// The curve's height (0 bottom .. 1 top) at column x of width columns.
    virtual double HeightAt(int x, int width) const = 0;
    /// The height of the zero line (0 bottom .. 1 top).
    virtual double ZeroLine() const { return 0.0; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_background = Qt::black;
    QColor m_curve = Qt::green;
    QColor m_zeroLine = Qt::darkGray;
};

} // namespace ondrix
