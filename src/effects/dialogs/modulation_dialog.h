#pragma once

#include "effects/dialogs/param_dialog.h"

class QRadioButton;

namespace ondrix {

class COscillatorPreview;
class CParamRow;

/// The one dialog of tremolo ("Create Tremolo") and cross fade ("Cross Fade"): the preferences, the
/// waveform, the radio pair of frequency and period with the edit of the chosen one, the depth and the
/// oscillator's preview, redrawn as the waveform and the depth change. A period of 0 is shown as the
/// block's length and comes back as 0 while it is not edited.
class CModulationDialog final : public CParamDialog {
    Q_OBJECT
public:
    /// The dialog of EffectKind::Tremolo or EffectKind::CrossFade on the block of context.
    CModulationDialog(EffectKind kind, const EffectDialogContext& context, QWidget* parent = nullptr);

    /// The radio button of frequency mode.
    QRadioButton* FrequencyRadio() const noexcept { return m_frequencyRadio; }
    /// The radio button of period mode.
    QRadioButton* PeriodRadio() const noexcept { return m_periodRadio; }
    /// The preview.
    COscillatorPreview* Preview() const noexcept { return m_preview; }

private:
    void OnLoad(const EffectSettings& settings) override;
    void OnStore(EffectSettings& settings) const override;
    /// Shows the edit of the chosen radio button and redraws the preview.
    void Refresh();

    const ModulationSpecs& m_specs;
    CParamRow* m_waveform;
    QRadioButton* m_frequencyRadio;
    QRadioButton* m_periodRadio;
    CParamRow* m_frequency;
    CParamRow* m_period;
    CParamRow* m_depth;
    COscillatorPreview* m_preview;
};

} // namespace ondrix
