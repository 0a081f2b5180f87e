#include "effects/dialogs/effect_dialogs.h"

#include "effects/dialogs/value_dialog.h"
#include "effects/effect_params.h"
#include "effects/effect_presets.h"

namespace ondrix {

EffectDialogResult AskEffectParams(EffectKind kind, EffectSettings& settings,
                                   const EffectDialogContext& context, QWidget* parent) {
    (void)context;
    EffectDialogResult result;
    if (const std::optional<OneValueDialogSpec> spec = OneValueDialogFor(kind)) {
        int32_t& value = *settings.Find(*spec->param);
        result.accepted = CValueDialog::Ask(CValueDialog::ForEffect(*spec, value), value, parent);
        return result;
    }
    result.accepted = true;
    return result;
}

} // namespace ondrix
