#pragma once

#include "effects/dialogs/param_dialog.h"

class QLabel;

namespace ondrix {

class CEnvelopeEditor;
class CParamRow;

/// The "Envelope" dialog: the envelope editor over the block, "&Max. [%]:", the position and volume under
/// the mouse and the preferences, which replace the curve and set the maximum to 100. The stored points
/// (0 .. 1024) are shown in frames of the block and stored back completed with the ends at 0 and 1024.
class CEnvelopeDialog final : public CParamDialog {
    Q_OBJECT
public:
    /// The dialog on the block of context.
    CEnvelopeDialog(const EffectDialogContext& context, QWidget* parent = nullptr);

    /// The editor.
    CEnvelopeEditor* Editor() const noexcept { return m_editor; }
    /// The position read-out.
    QLabel* PositionText() const noexcept { return m_position; }
    /// The volume read-out.
    QLabel* VolumeText() const noexcept { return m_volume; }

private:
    void OnPreference(int index) override;
    void OnLoad(const EffectSettings& settings) override;
    void OnStore(EffectSettings& settings) const override;
    /// Shows the position and volume under the mouse.
    void ShowMouse(int64_t position, int32_t volume);

    int64_t m_length;
    CParamRow* m_level;
    CEnvelopeEditor* m_editor;
    QLabel* m_position;
    QLabel* m_volume;
};

} // namespace ondrix
