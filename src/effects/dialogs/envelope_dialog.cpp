#include "effects/dialogs/envelope_dialog.h"

#include "controls/ui/palette.h"
#include "effects/dialogs/envelope_editor.h"
#include "effects/dialogs/param_row.h"
#include "effects/effect_presets.h"
#include "effects/envelope.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "store/sample_store.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <vector>

namespace ondrix {

CEnvelopeDialog::CEnvelopeDialog(const EffectDialogContext& context, QWidget* parent)
    : CParamDialog(EffectKind::Envelope, str::kEnvelopeTitle, context, parent),
      m_length(context.lastFrame - context.firstFrame), m_level(nullptr), m_editor(nullptr),
      m_position(new QLabel(this)), m_volume(new QLabel(this)) {
    auto* group = new QGroupBox(LoadQString(str::kEnvelopeGroupLabel), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_editor = new CEnvelopeEditor(group);
    m_editor->setObjectName(QStringLiteral("EnvelopeEditor"));
    m_editor->SetLength(m_length);
    m_editor->SetColours(PaletteColour(context.backgroundColour), PaletteColour(context.foregroundColour));
    groupLayout->addWidget(m_editor);
    AddWide(group);
    m_level = AddRow(str::kEnvelopeMaxLabel, EnvelopeParams::kLevel);
    m_position->setObjectName(QStringLiteral("PositionText"));
    m_volume->setObjectName(QStringLiteral("VolumeText"));
    AddPair(new QLabel(LoadQString(str::kEnvelopePositionLabel), this), m_position);
    AddPair(new QLabel(LoadQString(str::kEnvelopeVolumeLabel), this), m_volume);
    AddPreferencesOf(EnvelopePreferences());
    connect(m_editor, &CEnvelopeEditor::MouseAt, this, &CEnvelopeDialog::ShowMouse);
    Finish();
    // the editor is the first control of this dialog
    m_editor->setFocusPolicy(Qt::StrongFocus);
    m_editor->setFocus(Qt::OtherFocusReason);
}

void CEnvelopeDialog::OnPreference(int index) {
    const std::span<const EnvelopePreference> rows = EnvelopePreferences();
    if (index < 0 || index >= int(rows.size())) {
        return;
    }
    const int64_t second = m_context.store->MsToFrames(1000);
    m_editor->SetPoints(EnvelopeShapePoints(rows[std::size_t(index)].shape, m_length, second));
    m_level->SetValue(EnvelopeParams::kLevel.maximum);
}

void CEnvelopeDialog::OnLoad(const EffectSettings& settings) {
    // the curve the run would use: an empty list shows as silence from end to end
    std::vector<EnvelopePoint> stored = settings.envelope.points;
    CompleteEnvelope(stored);
    m_editor->SetPoints(EnvelopeToFrames(stored, m_length));
}

void CEnvelopeDialog::OnStore(EffectSettings& settings) const {
    std::vector<EnvelopePoint> points = EnvelopeFromFrames(m_editor->Points(), m_length);
    CompleteEnvelope(points);
    settings.envelope.points = std::move(points);
}

void CEnvelopeDialog::ShowMouse(int64_t position, int32_t volume) {
    const bool frames = m_context.timeFormat.index == TIMEFMT_SAMPLES;
    const int64_t shown = frames ? position : m_context.store->FramesToMs(position);
    m_position->setText(QString::fromStdString(FormatTime(uint32_t(shown), m_context.timeFormat, false)));
    m_volume->setText(QString::number(volume));
}

} // namespace ondrix
