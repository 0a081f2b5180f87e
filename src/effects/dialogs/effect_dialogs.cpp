#include "effects/dialogs/effect_dialogs.h"

#include "effects/dialogs/distort_dialog.h"
#include "effects/dialogs/echo_dialog.h"
#include "effects/dialogs/envelope_dialog.h"
#include "effects/dialogs/modulation_dialog.h"
#include "effects/dialogs/stretch_dialog.h"
#include "effects/dialogs/value_dialog.h"
#include "effects/effect_params.h"
#include "effects/effect_presets.h"

#include <memory>

namespace ondrix {

std::unique_ptr<CParamDialog> MakeParamDialog(EffectKind kind, const EffectDialogContext& context,
                                              QWidget* parent) {
    switch (kind) {
    case EffectKind::Echo:
        return std::make_unique<CEchoDialog>(context, parent);
    case EffectKind::Tremolo:
    case EffectKind::CrossFade:
        return std::make_unique<CModulationDialog>(kind, context, parent);
    case EffectKind::Distort:
        return std::make_unique<CDistortDialog>(context, parent);
    case EffectKind::Envelope:
        return std::make_unique<CEnvelopeDialog>(context, parent);
    case EffectKind::Stretch:
        return std::make_unique<CStretchDialog>(context, parent);
    default:
        return nullptr;
    }
}

EffectDialogResult AskEffectParams(EffectKind kind, EffectSettings& settings,
                                   const EffectDialogContext& context, QWidget* parent) {
    EffectDialogResult result;
    if (const std::optional<OneValueDialogSpec> oneValue = OneValueDialogFor(kind)) {
        int32_t& value = *settings.Find(*oneValue->param);
        result.accepted = CValueDialog::Ask(CValueDialog::ForEffect(*oneValue, value), value, parent);
        return result;
    }
    if (kind == EffectKind::Stretch) {
        // the new length starts as the old one
        settings.stretch.length = int32_t(context.lastFrame - context.firstFrame + 1);
    }
    const std::unique_ptr<CParamDialog> dialog = MakeParamDialog(kind, context, parent);
    if (!dialog) {
        result.accepted = true;
        return result;
    }
    dialog->Load(settings);
    if (dialog->exec() != QDialog::Accepted) {
        return result;
    }
    dialog->Store(settings);
    result.accepted = true;
    result.echoDelayFrames = dialog->DelayFrames();
    return result;
}

} // namespace ondrix
