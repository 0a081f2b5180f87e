#pragma once

#include "effects/dialogs/preview_box.h"

#include <cstdint>

namespace ondrix {

/// The tremolo and cross fade dialog's preview: one period of the oscillator over the box's width (an
/// oscillator of amplitude = the width and rate 0) with the chosen waveform and depth.
class COscillatorPreview final : public CPreviewBox {
    Q_OBJECT
public:
    /// An empty preview.
    explicit COscillatorPreview(QWidget* parent = nullptr) : CPreviewBox(parent) {}

    /// Sets the waveform and the depth and redraws when they changed.
    void SetShape(int32_t waveform, int32_t depth);

    double HeightAt(int x, int width) const override;

private:
    int32_t m_waveform = 0;
    int32_t m_depth = 100;
};

} // namespace ondrix
