#pragma once

#include "effects/dialogs/effect_dialogs.h"
#include "effects/effect_kind.h"
#include "effects/effect_params.h"

#include <QDialog>

#include <cstdint>
#include <span>
#include <vector>

class QComboBox;
class QFormLayout;
class QPushButton;

namespace ondrix {

class CParamRow;

/// The frame of an expert parameter dialog: the "&Preferences:" list at the top (when the function has
/// one), the rows of the function's parameters, each bound to one parameter, room for previews, then OK
/// and Cancel. Load shows the settings' values; choosing a preference shows that row's values; OK checks
/// every shown row's range and stays open at the first value outside; Store writes the rows back.
class CParamDialog : public QDialog {
    Q_OBJECT
public:
    /// A dialog titled with string titleId for a function, on the sound and block of context.
    CParamDialog(EffectKind kind, uint32_t titleId, const EffectDialogContext& context, QWidget* parent);

    /// Shows the values of the settings in the rows.
    void Load(const EffectSettings& settings);
    /// Writes the rows' values into the settings.
    void Store(EffectSettings& settings) const;
    /// The "&Preferences:" list, or null.
    QComboBox* Preferences() const noexcept { return m_preferences; }
    /// The rows bound to parameters, in dialog order.
    const std::vector<CParamRow*>& Rows() const noexcept { return m_rows; }
    /// The row of a parameter, or null.
    CParamRow* RowOf(const ParamSpec& param) const;
    /// The echo delay in frames as the dialog holds it (-1 when the dialog has none).
    int64_t DelayFrames() const;

    /// The "&Preview" button, or null when the dialog has no preview.
    QPushButton* PreviewButton() const noexcept { return m_previewButton; }

    void accept() override;
    void done(int result) override;

protected:
    /// Adds the "&Preferences:" list with its entries, none chosen.
    void AddPreferences(std::span<const uint32_t> labels);
    /// Adds the "&Preferences:" list with the label of each of a function's preference rows.
    template <class Rows> void AddPreferencesOf(const Rows& rows) {
        std::vector<uint32_t> labels;
        for (const auto& row : rows) {
            labels.push_back(row.labelId);
        }
        AddPreferences(labels);
    }
    /// Adds a row bound to a parameter (a number edit or a time edit by the parameter's unit); labelWidget,
    /// when given, stands in the form instead of a label of its own (a radio button).
    CParamRow* AddRow(uint32_t labelId, const ParamSpec& param, QWidget* labelWidget = nullptr);
    /// Adds a row bound to a parameter whose values are the entries of a list.
    CParamRow* AddChoiceRow(uint32_t labelId, const ParamSpec& param, std::span<const uint32_t> items);
    /// Adds a widget across the form (a group, a preview, a radio pair).
    void AddWide(QWidget* widget);
    /// Adds a label and a widget as one form row.
    void AddPair(QWidget* label, QWidget* field);
    /// Puts OK and Cancel last and the focus into the first field.
    void Finish();
    /// Shows the values of a chosen preference over the fields as they are.
    virtual void OnPreference(int index);
    /// Shows what the rows cannot: called after the rows were loaded.
    virtual void OnLoad(const EffectSettings& settings);
    /// Writes what the rows cannot: called after the rows were stored.
    virtual void OnStore(EffectSettings& settings) const;

    EffectKind m_kind;
    EffectDialogContext m_context;

private:
    /// Binds a row to a parameter and places it.
    CParamRow* Bind(CParamRow* row, const ParamSpec& param, QWidget* labelWidget = nullptr);
    /// Starts the preview with the fields' values, or stops the one that plays.
    void TogglePreview();
    /// Shows values in the rows and what the subclass shows.
    void Show(const EffectSettings& settings);

    QFormLayout* m_form;
    QComboBox* m_preferences = nullptr;
    QPushButton* m_previewButton = nullptr;
    std::vector<CParamRow*> m_rows;
    std::vector<const ParamSpec*> m_params;
    EffectSettings m_loaded; ///< the settings the dialog was loaded with
};

} // namespace ondrix
