#include "effects/dialogs/echo_dialog.h"

#include "effects/effect_presets.h"
#include "resources/string_ids.h"

namespace ondrix {

CEchoDialog::CEchoDialog(const EffectDialogContext& context, QWidget* parent)
    : CParamDialog(EffectKind::Echo, str::kEchoTitle, context, parent) {
    AddPreferencesOf(EchoPreferences());
    AddRow(str::kEchoDelayLabel, EchoParams::kDelay);
    AddRow(str::kEchoCountLabel, EchoParams::kCount);
    AddRow(str::kEchoFirstVolumeLabel, EchoParams::kFirstVolume);
    AddRow(str::kEchoLastVolumeLabel, EchoParams::kLastVolume);
    Finish();
}

} // namespace ondrix
