#include "effects/dialogs/distort_dialog.h"

#include "controls/ui/palette.h"
#include "effects/dialogs/curve_preview.h"
#include "effects/dialogs/param_row.h"
#include "effects/effect_presets.h"
#include "resources/string_ids.h"

namespace ondrix {

CDistortDialog::CDistortDialog(const EffectDialogContext& context, QWidget* parent)
    : CParamDialog(EffectKind::Distort, str::kDistortTitle, context, parent) {
    AddPreferencesOf(DistortPreferences());
    m_type = AddChoiceRow(str::kDistortTypeLabel, DistortParams::kType, DistortionTypeLabels());
    m_level = AddRow(str::kDistortLevelLabel, DistortParams::kLevel);
    m_depth = AddRow(str::kDistortDepthLabel, DistortParams::kDepth);
    m_preview = new CCurvePreview(this);
    m_preview->setObjectName(QStringLiteral("CurvePreview"));
    m_preview->SetColours(PaletteColour(context.backgroundColour), PaletteColour(context.foregroundColour),
                          PaletteColour(context.zeroLineColour));
    AddWide(m_preview);
    for (CParamRow* row : {m_type, m_level, m_depth}) {
        connect(row, &CParamRow::Changed, this, &CDistortDialog::Refresh);
    }
    Finish();
}

void CDistortDialog::OnLoad(const EffectSettings&) {
    Refresh();
}

void CDistortDialog::Refresh() {
    const int32_t type = m_type->GetValue();
    m_depth->SetVisible(type == DIST_SINE || type == DIST_DIODE);
    m_preview->SetCurve(type, m_level->GetValue(), m_depth->GetValue());
}

} // namespace ondrix
