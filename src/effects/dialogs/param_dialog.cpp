#include "effects/dialogs/param_dialog.h"

#include "effects/dialogs/effect_preview.h"
#include "effects/dialogs/param_row.h"
#include "effects/effect_presets.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "store/sample_store.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace ondrix {

CParamDialog::CParamDialog(EffectKind kind, uint32_t titleId, const EffectDialogContext& context,
                           QWidget* parent)
    : QDialog(parent), m_kind(kind), m_context(context), m_form(new QFormLayout(this)) {
    setWindowTitle(LoadQString(titleId));
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
}

void CParamDialog::AddPreferences(std::span<const uint32_t> labels) {
    m_preferences = new QComboBox(this);
    m_preferences->setObjectName(QStringLiteral("Preferences"));
    for (const uint32_t label : labels) {
        m_preferences->addItem(LoadQString(label));
    }
    m_preferences->setCurrentIndex(-1);
    auto* label = new QLabel(LoadQString(str::kPreferencesLabel), this);
    label->setBuddy(m_preferences);
    m_form->addRow(label, m_preferences);
    connect(m_preferences, &QComboBox::activated, this, &CParamDialog::OnPreference);
}

CParamRow* CParamDialog::AddRow(uint32_t labelId, const ParamSpec& param, QWidget* labelWidget) {
    if (param.unit == ParamUnit::Number) {
        return Bind(CParamRow::Number(labelId, param.minimum, param.maximum, this), param, labelWidget);
    }
    const FrameRange range = TimeParamRange(param, m_context.firstFrame, m_context.lastFrame);
    return Bind(CParamRow::Time(labelId, range, m_context.timeFormat, *m_context.store, this), param,
                labelWidget);
}

CParamRow* CParamDialog::AddChoiceRow(uint32_t labelId, const ParamSpec& param,
                                      std::span<const uint32_t> items) {
    return Bind(CParamRow::Choice(labelId, items, this), param);
}

CParamRow* CParamDialog::Bind(CParamRow* row, const ParamSpec& param, QWidget* labelWidget) {
    row->Editor()->setObjectName(QString::fromLatin1(param.key));
    m_rows.push_back(row);
    m_params.push_back(&param);
    if (labelWidget) {
        m_form->addRow(labelWidget, row->Editor());
    } else if (row->Label()) {
        m_form->addRow(row->Label(), row->Editor());
    } else {
        m_form->addRow(row->Editor());
    }
    return row;
}

void CParamDialog::AddWide(QWidget* widget) {
    m_form->addRow(widget);
}

void CParamDialog::AddPair(QWidget* label, QWidget* field) {
    m_form->addRow(label, field);
}

void CParamDialog::Finish() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (m_context.preview) {
        m_previewButton = buttons->addButton(LoadQString(str::kPreviewButton), QDialogButtonBox::ActionRole);
        m_previewButton->setObjectName(QStringLiteral("Preview"));
        m_previewButton->setAutoDefault(false);
        connect(m_previewButton, &QPushButton::clicked, this, &CParamDialog::TogglePreview);
    }
    m_form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QWidget* first =
        m_preferences ? m_preferences : (m_rows.empty() ? nullptr : m_rows.front()->FocusWidget());
    if (first) {
        first->setFocus(Qt::OtherFocusReason);
    }
}

CParamRow* CParamDialog::RowOf(const ParamSpec& param) const {
    for (std::size_t i = 0; i < m_params.size(); ++i) {
        if (m_params[i] == &param) {
            return m_rows[i];
        }
    }
    return nullptr;
}

int64_t CParamDialog::DelayFrames() const {
    const CParamRow* row = RowOf(EchoParams::kDelay);
    return row ? row->GetValue() : -1;
}

void CParamDialog::Load(const EffectSettings& settings) {
    m_loaded = settings;
    Show(settings);
}

void CParamDialog::Show(const EffectSettings& settings) {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const ParamSpec& param = *m_params[i];
        const int32_t value = settings.Get(param);
        // a delay kept in milliseconds is edited in frames
        m_rows[i]->SetValue(
            param.unit == ParamUnit::Milliseconds ? int32_t(m_context.store->MsToFrames(value)) : value);
    }
    OnLoad(settings);
}

void CParamDialog::Store(EffectSettings& settings) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const ParamSpec& param = *m_params[i];
        const int32_t value = m_rows[i]->GetValue();
        settings.Set(param, param.unit == ParamUnit::Milliseconds
                                ? int32_t(m_context.store->FramesToMs(value))
                                : value);
    }
    OnStore(settings);
}

void CParamDialog::OnPreference(int index) {
    EffectSettings shown = m_loaded;
    Store(shown);
    if (ApplyPreference(m_kind, index, shown)) {
        Show(shown);
    }
}

void CParamDialog::OnLoad(const EffectSettings&) {}

void CParamDialog::OnStore(EffectSettings&) const {}

void CParamDialog::TogglePreview() {
    if (m_context.preview->IsPlaying()) {
        m_context.preview->Stop();
        return;
    }
    for (CParamRow* row : m_rows) {
        if (!row->Validate()) {
            return;
        }
    }
    // the values as they are now, applied to a copy; the settings stay as they were
    EffectSettings values = m_loaded;
    Store(values);
    m_context.preview->Start(m_kind, values, DelayFrames());
}

void CParamDialog::done(int result) {
    if (m_context.preview) {
        m_context.preview->Stop();
    }
    QDialog::done(result);
}

void CParamDialog::accept() {
    for (CParamRow* row : m_rows) {
        if (!row->Validate()) {
            return;
        }
    }
    QDialog::accept();
}

} // namespace ondrix
