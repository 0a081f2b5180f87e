#include "views/waveform_painter.h"

#include "store/peak_summary.h"
#include "store/sample_store.h"
#include "views/core/column_peaks.h"

#include <QPainter>
#include <QPolygon>
#include <QVector>

#include <cstdlib>

namespace ondrix {

namespace {

/// The offset of a sample from the zero line: y0 x v / 32768, truncated toward zero.
int SampleOffset(int y0, int16_t value) {
    return int(int64_t(y0) * value / 32768);
}

/// Fills each rectangle of a batch in one colour.
void FillBatch(QPainter& painter, const QVector<QRect>& rects, const QColor& colour) {
    if (rects.isEmpty()) {
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRects(rects);
}

/// Columns of a few frames each, finer than the summary's blocks: the peaks are read from the data of
/// just these columns. False (nothing drawn) when that would read more than the budget.
bool DrawReadPeaks(QPainter& painter, int left, int right, int y0, const LaneMapping& mapping,
                   const WaveformSource& source, const WaveformStyle& style) {
    CSampleStore& store = *source.store;
    std::vector<int64_t> bounds;
    for (int x = left; x <= right; ++x) {
        const int64_t f = std::min(mapping.PixelToFrame(x), mapping.frames);
        if (!bounds.empty() && f <= bounds.back()) {
            break; // the sound's end
        }
        bounds.push_back(f);
    }
    if (bounds.size() < 2 ||
        uint64_t(bounds.back() - bounds.front()) * store.GetBlockAlign() > kColumnPeakBudget) {
        return false;
    }
    const PcmReader read = [&store](uint32_t offset, void* buffer, uint32_t count) {
        return store.ReadData(offset, buffer, count);
    };
    const std::vector<ColumnPeak> peaks =
        ReadColumnPeaks(read, {store.GetTrackCount(), store.GetBitsPerSample()}, source.track, bounds);
    QVector<QRect> plain;
    QVector<QRect> selected;
    for (std::size_t i = 0; i < peaks.size(); ++i) {
        const int64_t f = bounds[i];
        const int top = y0 - SampleOffset(y0, peaks[i].high);
        const int bottom = y0 - SampleOffset(y0, peaks[i].low);
        const bool inBlock = source.hasBlock && f >= source.blockFirst && f <= source.blockLast;
        (inBlock ? selected : plain).append(QRect(left + int(i), top, 1, bottom - top + 1));
    }
    FillBatch(painter, plain, style.foreground);
    FillBatch(painter, selected, style.selected);
    return true;
}

} // namespace

void DrawWaveform(QPainter& painter, const QRect& area, int height, const LaneMapping& mapping,
                  const WaveformSource& source, const WaveformStyle& style) {
    const int64_t frames = mapping.frames;
    if (frames <= 0 || height < 2 || mapping.width <= 0 || !source.store) {
        return;
    }
    const int y0 = height / 2;
    const int left = area.left();
    const int right = area.left() + area.width(); // excluded
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (!style.solid) {
        painter.fillRect(QRect(left, y0, right - left, 1), style.zeroLine);
    } else if (mapping.PixelToFrame(right) >= frames) {
        // inside the sound the bars cover the zero line; only the part beyond its end shows
        const int from = int(std::max<int64_t>(left, mapping.FrameToPixel(frames)));
        if (from < right) {
            painter.fillRect(QRect(from, y0, right - from, 1), style.zeroLine);
        }
    }
    CSampleStore& store = *source.store;
    const auto inBlock = [&](int64_t f) {
        return source.hasBlock && f >= source.blockFirst && f <= source.blockLast;
    };
    const auto valueAt = [&](int64_t f) { return store.GetDisplaySample(uint32_t(f), int(source.track)); };
    const double framesPerColumn = mapping.zoom > 0 ? double(mapping.zoom) : double(frames) / mapping.width;
    if (source.peaks && source.peaks->IsReady() && framesPerColumn >= source.peaks->BlockFrames()) {
        QVector<QRect> plain;
        QVector<QRect> selected;
        for (int x = left; x < right; ++x) {
            const int64_t f = mapping.PixelToFrame(x);
            if (f >= frames) {
                break;
            }
            const int64_t next = std::max(f + 1, mapping.PixelToFrame(x + 1));
            int16_t low = 0;
            int16_t high = 0;
            if (!source.peaks->Range(source.track, uint64_t(f), uint64_t(next), low, high)) {
                continue;
            }
            const int top = y0 - SampleOffset(y0, high);
            const int bottom = y0 - SampleOffset(y0, low);
            (inBlock(f) ? selected : plain).append(QRect(x, top, 1, bottom - top + 1));
        }
        FillBatch(painter, plain, style.foreground);
        FillBatch(painter, selected, style.selected);
        painter.restore();
        return;
    }
    if (source.peaks && framesPerColumn >= 2 &&
        DrawReadPeaks(painter, left, right, y0, mapping, source, style)) {
        painter.restore();
        return;
    }
    store.BuildDisplayCache(uint32_t(mapping.PixelToFrame(0)), uint32_t(mapping.PixelToFrame(mapping.width)),
                            mapping.zoom);
    if (style.solid) {
        QVector<QRect> plain;
        QVector<QRect> selected;
        for (int x = left; x < right; ++x) {
            const int64_t f = mapping.PixelToFrame(x);
            if (f >= frames) {
                break;
            }
            const int d = std::abs(SampleOffset(y0, valueAt(f)));
            (inBlock(f) ? selected : plain).append(QRect(x, y0 - d, 1, 2 * d + 1));
        }
        FillBatch(painter, plain, style.foreground);
        FillBatch(painter, selected, style.selected);
        painter.restore();
        return;
    }
    // the line starts at the left edge: on the zero line at frame 0, else at that frame's value
    const int64_t f0 = mapping.PixelToFrame(left);
    QPolygon line;
    line.append(QPoint(left, f0 == 0 || f0 >= frames ? y0 : y0 - SampleOffset(y0, valueAt(f0))));
    bool lineSelected = inBlock(f0);
    const auto flush = [&] {
        if (line.size() > 1) {
            painter.setPen(QPen(lineSelected ? style.selected : style.foreground, 1));
            painter.drawPolyline(line);
        }
        const QPoint last = line.last();
        line.clear();
        line.append(last);
    };
    for (int x = left; x < right; ++x) {
        const int64_t f = mapping.PixelToFrame(x);
        if (f >= frames) {
            break;
        }
        const bool selected = inBlock(f);
        if (selected != lineSelected) {
            flush();
            lineSelected = selected;
        }
        line.append(QPoint(x, y0 - SampleOffset(y0, valueAt(f))));
    }
    flush();
    painter.restore();
}

} // namespace ondrix
