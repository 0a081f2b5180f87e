#pragma once

#include "effects/dialogs/param_dialog.h"

class QLabel;

namespace ondrix {

/// The "Adjust Time" dialog: "&old:" shows the block's length in the time format, "Adjust to &Time:" is a
/// time edit from 1 frame on, preset with the old length (which comes back exactly while not edited).
class CStretchDialog final : public CParamDialog {
    Q_OBJECT
public:
    /// The dialog on the block of context.
    CStretchDialog(const EffectDialogContext& context, QWidget* parent = nullptr);

    /// The text of the old length.
    QLabel* OldLength() const noexcept { return m_old; }

private:
    QLabel* m_old;
};

} // namespace ondrix
