#pragma once

#include "effects/dialogs/param_dialog.h"

namespace ondrix {

/// The "Echo/Hall" dialog: the preferences, the delay as a time edit (frames in time format 0, else
/// milliseconds; 0 .. (last - first) - 1 frames), the number of echoes and the first and last volume.
class CEchoDialog final : public CParamDialog {
    Q_OBJECT
public:
    /// The dialog on the block of context.
    CEchoDialog(const EffectDialogContext& context, QWidget* parent = nullptr);
};

} // namespace ondrix
