#include "views/core/column_peaks.h"

#include <algorithm>

namespace ondrix {

namespace {

constexpr uint32_t kPieceBytes = 65536;

int16_t SampleAt(const uint8_t* frame, const PcmShape& shape, uint32_t track) {
    if (shape.bits == 8) {
        return int16_t((int(frame[track]) - 128) * 256);
    }
    const uint8_t* sample = frame + std::size_t(track) * 2;
    return int16_t(uint16_t(sample[0] | (sample[1] << 8)));
}

} // namespace

std::vector<ColumnPeak> ReadColumnPeaks(const PcmReader& read, const PcmShape& shape, uint32_t track,
                                        std::span<const int64_t> bounds) {
    std::vector<ColumnPeak> peaks;
    if (bounds.size() < 2 || shape.tracks == 0 || track >= shape.tracks || bounds.front() < 0) {
        return peaks;
    }
    const uint32_t frameBytes = shape.tracks * (shape.bits == 8 ? 1 : 2);
    const uint32_t pieceFrames = std::max<uint32_t>(1, kPieceBytes / frameBytes);
    std::vector<uint8_t> piece(std::size_t(pieceFrames) * frameBytes);
    peaks.reserve(bounds.size() - 1);
    int64_t frame = bounds.front();
    std::size_t column = 0;
    ColumnPeak current{INT16_MAX, INT16_MIN};
    bool any = false;
    while (column + 1 < bounds.size()) {
        const int64_t end = bounds.back();
        const auto want = uint32_t(std::min<int64_t>(pieceFrames, end - frame));
        if (want == 0) {
            break;
        }
        const uint32_t got = read(uint32_t(frame) * frameBytes, piece.data(), want * frameBytes) / frameBytes;
        for (uint32_t i = 0; i < got; ++i, ++frame) {
            while (frame >= bounds[column + 1]) { // a column ends before this frame
                peaks.push_back(any ? current : ColumnPeak{});
                current = {INT16_MAX, INT16_MIN};
                any = false;
                ++column;
            }
            const int16_t value = SampleAt(piece.data() + std::size_t(i) * frameBytes, shape, track);
            current.low = std::min(current.low, value);
            current.high = std::max(current.high, value);
            any = true;
        }
        if (got < want) {
            break; // the data ends early
        }
    }
    if (any) {
        peaks.push_back(current);
    }
    return peaks;
}

} // namespace ondrix
