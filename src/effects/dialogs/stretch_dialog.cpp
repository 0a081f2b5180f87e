#include "effects/dialogs/stretch_dialog.h"

#include "effects/dialogs/param_row.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "store/sample_store.h"

#include <QLabel>

namespace ondrix {

CStretchDialog::CStretchDialog(const EffectDialogContext& context, QWidget* parent)
    : CParamDialog(EffectKind::Stretch, str::kAdjustTimeTitle, context, parent), m_old(new QLabel(this)) {
    const int64_t length = context.lastFrame - context.firstFrame + 1;
    const bool frames = context.timeFormat.index == TIMEFMT_SAMPLES;
    const int64_t shown = frames ? length : context.store->FramesToMs(length);
    m_old->setObjectName(QStringLiteral("OldLength"));
    m_old->setText(QString::fromStdString(FormatTime(uint32_t(shown), context.timeFormat, false)));
    auto* label = new QLabel(LoadQString(str::kOldLengthLabel), this);
    AddPair(label, m_old);
    CParamRow* newLength = AddRow(str::kAdjustToTimeLabel, StretchParams::kLength);
    label->setBuddy(newLength->FocusWidget()); // the old length cannot take the focus: its mnemonic goes on
    Finish();
}

} // namespace ondrix
