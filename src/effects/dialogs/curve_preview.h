#pragma once

#include "effects/dialogs/preview_box.h"

#include <cstdint>

namespace ondrix {

/// The distort dialog's preview: the transfer curve from minus to plus full scale across the box, the
/// output from minus full scale at the bottom to plus full scale at the top.
class CCurvePreview final : public CPreviewBox {
    Q_OBJECT
public:
    /// An empty preview.
    explicit CCurvePreview(QWidget* parent = nullptr) : CPreviewBox(parent) {}

    /// Sets the curve's type, level and depth and redraws when they changed.
    void SetCurve(int32_t type, int32_t level, int32_t depth);

    double HeightAt(int x, int width) const override;
    double ZeroLine() const override { return 0.5; }

private:
    int32_t m_type = 0;
    int32_t m_level = 0;
    int32_t m_depth = 100;
};

} // namespace ondrix
