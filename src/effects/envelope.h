#pragma once

#include "effects/effect_params.h"
#include "process/piece_block.h"

#include <cstdint>
#include <vector>

namespace ondrix {

/// The running state of the envelope routine over one run.
struct EnvelopeContext {
    std::vector<EnvelopePoint> points; ///< completed list (ends at 0 and 1024), ascending positions
    int32_t level = 100;               ///< "&Max. [%]"
    uint32_t counter = 0;              ///< frames done so far
    std::size_t search = 0;            ///< first candidate point for the next frame (positions only grow)
};

/// Puts (0, 0) in front when the list is empty or does not start at 0, and appends (1024, 0) when it
/// does not end at 1024.
void CompleteEnvelope(std::vector<EnvelopePoint>& points);

/// The stored points (0..1024) as frames of a block of length D = last - first:
/// round(P x 0.0009765625 x D), halves away from zero.
std::vector<EnvelopePoint> EnvelopeToFrames(const std::vector<EnvelopePoint>& stored, int64_t length);

/// Edited points in frames of a block of length D back to the stored form: round(p / D x 1024).
/// A block of length 0 has only the position 0, which stays 0.
std::vector<EnvelopePoint> EnvelopeFromFrames(const std::vector<EnvelopePoint>& frames, int64_t length);

/// The "&Preferences:" curves of the envelope dialog.
enum class EnvelopeShape : uint8_t { FadeInFadeOut, FadeIn, FadeOut };

/// The points of a preference in frames of a block of length L; second = one second of frames
/// (MsToFrames(1000)); a block shorter than two seconds uses a tenth of its length instead.
std::vector<EnvelopePoint> EnvelopeShapePoints(EnvelopeShape shape, int64_t length, int64_t second);

/// The curve's level at position x (0..1024) of a completed list: the volume of a point at x, or the
/// integer interpolation between its neighbours. hint is the first index to look at and is advanced.
int32_t EnvelopeLevelAt(const std::vector<EnvelopePoint>& points, int64_t x, std::size_t& hint) noexcept;

/// Multiplies every edited sample by the curve: f = (level(x) x EnvLevel) / 100, value' = value x f / 100,
/// with x = round(c x (1024 / N)) for the frame counter c. Context: EnvelopeContext.
uint32_t EnvelopeRoutine(PieceBlock* piece);

} // namespace ondrix
