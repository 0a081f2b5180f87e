#include "effects/dialogs/modulation_dialog.h"

#include "controls/ui/palette.h"
#include "effects/dialogs/oscillator_preview.h"
#include "effects/dialogs/param_row.h"
#include "effects/effect_presets.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ondrix {

namespace {

/// The texts that differ between the two modes of the dialog.
struct ModulationTexts {
    uint32_t title;
    uint32_t typeLabel;
    uint32_t timeLabel;
    uint32_t periodRadio;
    uint32_t depthLabel;
    uint32_t previewLabel;
};

constexpr ModulationTexts kTremoloTexts{str::kTremoloTitle,     str::kTremoloTypeLabel,
                                        str::kTremoloTimeLabel, str::kPeriodRadio,
                                        str::kModulationLabel,  str::kTremoloPreviewLabel};
constexpr ModulationTexts kCrossFadeTexts{str::kCrossFadeTitle,      str::kCrossFadeTypeLabel,
                                          str::kCrossFadeTimeLabel,  str::kCrossFadeTimeRadio,
                                          str::kCrossFadeDepthLabel, str::kCrossFadePreviewLabel};

const ModulationTexts& TextsOf(EffectKind kind) {
    return kind == EffectKind::Tremolo ? kTremoloTexts : kCrossFadeTexts;
}

} // namespace

CModulationDialog::CModulationDialog(EffectKind kind, const EffectDialogContext& context, QWidget* parent)
    : CParamDialog(kind, TextsOf(kind).title, context, parent),
      m_specs(kind == EffectKind::Tremolo ? kTremoloSpecs : kCrossFadeSpecs) {
    const ModulationTexts& texts = TextsOf(kind);
    AddPreferencesOf(kind == EffectKind::Tremolo ? TremoloPreferences() : CrossFadePreferences());
    m_waveform = AddChoiceRow(texts.typeLabel, m_specs.waveform, WaveformLabels());
    AddWide(new QLabel(LoadQString(texts.timeLabel), this));
    m_frequencyRadio = new QRadioButton(LoadQString(str::kFrequencyRadio), this);
    m_frequencyRadio->setObjectName(QStringLiteral("FrequencyRadio"));
    m_frequency = AddRow(0, m_specs.frequency, m_frequencyRadio);
    m_periodRadio = new QRadioButton(LoadQString(texts.periodRadio), this);
    m_periodRadio->setObjectName(QStringLiteral("PeriodRadio"));
    m_period = AddRow(0, m_specs.period, m_periodRadio);
    m_period->ShowZeroAs(std::max<int64_t>(1, context.lastFrame - context.firstFrame));
    m_depth = AddRow(texts.depthLabel, m_specs.depth);

    auto* group = new QGroupBox(LoadQString(texts.previewLabel), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_preview = new COscillatorPreview(group);
    m_preview->setObjectName(QStringLiteral("OscillatorPreview"));
    m_preview->SetColours(PaletteColour(context.backgroundColour), PaletteColour(context.foregroundColour),
                          PaletteColour(context.zeroLineColour));
    groupLayout->addWidget(m_preview);
    AddWide(group);

    connect(m_frequencyRadio, &QRadioButton::toggled, this, &CModulationDialog::Refresh);
    connect(m_waveform, &CParamRow::Changed, this, &CModulationDialog::Refresh);
    connect(m_depth, &CParamRow::Changed, this, &CModulationDialog::Refresh);
    Finish();
}

void CModulationDialog::OnLoad(const EffectSettings& settings) {
    const bool periodMode = settings.Get(m_specs.periodMode) == 1;
    (periodMode ? m_periodRadio : m_frequencyRadio)->setChecked(true);
    Refresh();
}

void CModulationDialog::OnStore(EffectSettings& settings) const {
    settings.Set(m_specs.periodMode, m_periodRadio->isChecked() ? 1 : 0);
}

void CModulationDialog::Refresh() {
    const bool periodMode = m_periodRadio->isChecked();
    m_frequency->Editor()->setVisible(!periodMode);
    m_period->Editor()->setVisible(periodMode);
    m_preview->SetShape(m_waveform->GetValue(), m_depth->GetValue());
}

} // namespace ondrix
