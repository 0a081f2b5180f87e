#pragma once

#include "effects/dialogs/param_dialog.h"

namespace ondrix {

class CCurvePreview;
class CParamRow;

/// The "Distort" dialog: the preferences, the type of distortion, the level, the depth (shown only for
/// "Sine Distortion" and "Diode Distortion") and the transfer curve's preview, redrawn as they change.
class CDistortDialog final : public CParamDialog {
    Q_OBJECT
public:
    /// The dialog on the sound of context.
    CDistortDialog(const EffectDialogContext& context, QWidget* parent = nullptr);

    /// The preview.
    CCurvePreview* Preview() const noexcept { return m_preview; }

private:
    void OnLoad(const EffectSettings& settings) override;
    /// Shows the depth for the types that use it and redraws the preview.
    void Refresh();

    CParamRow* m_type;
    CParamRow* m_level;
    CParamRow* m_depth;
    CCurvePreview* m_preview;
};

} // namespace ondrix
