#include "document/commands/effect_commands.h"

#include "document/core/enabling_rules.h"
#include "document/document_effect_preview.h"
#include "document/ondrix_doc.h"
#include "effects/dialogs/effect_dialogs.h"
#include "effects/dialogs/preset_menu.h"
#include "effects/effect_presets.h"
#include "effects/effect_runner.h"
#include "resources/command_ids.h"
#include "settings/core/settings.h"
#include "store/temp_paths.h"

#include <QApplication>
#include <QCursor>
#include <QMainWindow>

#include <optional>

namespace ondrix {

namespace {

/// The window that owns the menus and dialogs of the commands: the active window, else the main window.
QWidget* OwnerWindow() {
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(top) && top->isVisible()) {
            return top;
        }
    }
    return nullptr;
}

/// The run "Repeat &Last Function" repeats: the function and the values it ran with.
struct LastFunction {
    EffectKind kind;
    EffectSettings settings;
    int64_t echoDelayFrames;
};

/// The last run of any document (the command repeats it on whichever sound is active).
std::optional<LastFunction>& LastRun() {
    static std::optional<LastFunction> last;
    return last;
}

} // namespace

CEffectCommands::CEffectCommands(COndrixDoc& doc) : CCommandSet(doc) {
    for (int kind = 0; kind < kEffectKindCount; ++kind) {
        MapFunction(EffectKind(kind));
    }
    for (uint32_t id : {cmd::kPresetFirst, cmd::kPresetSecond, cmd::kPresetThird, cmd::kPresetDecrease,
                        cmd::kPresetIncrease, cmd::kPresetSlow, cmd::kPresetFast}) {
        MapPresetChoice(id);
    }
    MapUpdate(cmd::kEqualizer, [](CCmdUI& ui) { ui.Enable(false); });
    MapCommand(
        cmd::kRepeatLastFunction, [this] { RepeatLastFunction(); },
        [this](CCmdUI& ui) {
            ui.Enable(LastRun().has_value() && IsEnabledBy(EnableRule::Edit, m_doc.GetState()));
        });
}

void CEffectCommands::MapFunction(EffectKind kind) {
    MapRuled(GetEffectInfo(kind).commandId, [this, kind] { OnEffectCommand(kind); });
}

void CEffectCommands::MapPresetChoice(uint32_t id) {
    MapCommand(
        id, [this, id] { RunEffectCommand(PresetOfCommand(id)); },
        [this](CCmdUI& ui) { ui.Enable(IsEnabledBy(EnableRule::Edit, m_doc.GetState())); });
}

void CEffectCommands::OnEffectCommand(EffectKind kind) {
    m_effect = kind;
    CSampleStore& store = *m_doc.GetStore();
    if (kind == EffectKind::CrossFade) {
        const auto mask = m_doc.GetTrackMask();
        if (!CrossFadeTracksFit(mask.data(), store.GetTrackCount(), store.m_showErrors != 0)) {
            return;
        }
    }
    const PresetMenu menu = GetEffectInfo(kind).presetMenu;
    if (menu == PresetMenu::None || g_settings.desktop.expertMode != 0) {
        RunEffectCommand(-1);
        return;
    }
    const uint32_t chosen = ShowPresetMenu(menu, QCursor::pos(), OwnerWindow());
    if (chosen != 0) {
        RunEffectCommand(PresetOfCommand(chosen));
    }
}

bool CEffectCommands::RunEffectCommand(int preset) {
    CSampleStore& store = *m_doc.GetStore();
    int32_t first = 0;
    int32_t last = 0;
    m_doc.GetBlock(first, last);

    // The values chosen (in the dialog or by the preset) stay in the settings.
    EffectDialogResult gathered;
    if (preset < 0) {
        EffectDialogContext context;
        context.firstFrame = first;
        context.lastFrame = last;
        context.store = &store;
        context.backgroundColour = g_settings.sampleWindow.backGround;
        context.foregroundColour = g_settings.sampleWindow.foreGround;
        context.zeroLineColour = g_settings.sampleWindow.zeroLine;
        CDocumentEffectPreview preview(m_doc);
        context.preview = &preview;
        context.timeFormat = TimeFormat{g_settings.sampleWindow.timeFmt, g_settings.sampleWindow.fps};
        gathered = AskEffectParams(m_effect, g_settings.edit.effects, context, OwnerWindow());
        if (!gathered.accepted) {
            return false;
        }
    } else if (!ApplyPreset(m_effect, preset, g_settings.edit.effects)) {
        return false;
    }

    return Apply(g_settings.edit.effects, gathered.echoDelayFrames);
}

bool CEffectCommands::RepeatLastFunction() {
    if (!LastRun()) {
        return false;
    }
    const LastFunction last = *LastRun();
    m_effect = last.kind;
    return Apply(last.settings, last.echoDelayFrames);
}

bool CEffectCommands::Apply(const EffectSettings& settings, int64_t echoDelayFrames) {
    CSampleStore& store = *m_doc.GetStore();
    int32_t first = 0;
    int32_t last = 0;
    m_doc.GetBlock(first, last);
    const auto mask = m_doc.GetTrackMask();
    EffectRequest request;
    request.kind = m_effect;
    request.settings = &settings;
    request.trackMask = mask.data();
    request.firstFrame = first;
    request.lastFrame = last;
    request.tempStorage = StorageForPath(g_settings.tempPath.editor);
    request.echoDelayFrames = echoDelayFrames;
    if (!m_doc.PrepareSampleChange()) {
        return false;
    }
    const UndoTarget undo{&m_doc.GetUndoHistory(), g_settings.edit.undoCount, g_settings.tempPath.clipboard};
    const EffectOutcome outcome = RunEffect(store, request, undo);
    if (!outcome.modified) {
        return false;
    }
    LastRun() = LastFunction{m_effect, settings, echoDelayFrames};
    m_doc.SetModifiedFlag(true);
    m_doc.UpdateStatus(0);
    m_doc.UpdateAllViews(nullptr, outcome.hint);
    return true;
}

} // namespace ondrix
