#pragma once

#include "effects/effect_kind.h"

#include <cstdint>

namespace ondrix {

struct EffectSettings;

/// Listening before applying: plays a function applied to the start of the block, computed on a copy,
/// without touching the sound, its undo states or the settings. A parameter dialog calls it; the document
/// gives it.
class IEffectPreview {
public:
    virtual ~IEffectPreview() = default;
    /// Stops what plays and plays the function with these settings (and the echo delay in frames, -1 from
    /// the settings); false when nothing could be played (reported).
    virtual bool Start(EffectKind kind, const EffectSettings& settings, int64_t echoDelayFrames) = 0;
    /// Stops the preview; nothing happens when none plays.
    virtual void Stop() noexcept = 0;
    /// Whether a preview plays.
    virtual bool IsPlaying() const noexcept = 0;
};

} // namespace ondrix
