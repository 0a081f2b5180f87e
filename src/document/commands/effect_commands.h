#pragma once

#include "document/commands/command_set.h"
#include "effects/effect_kind.h"
#include "effects/effect_params.h"

#include <cstdint>

namespace ondrix {

/// The document's volume functions, effects and tempo functions: one handler for all sixteen, the
/// beginner-mode preset choices and the effect runner that gathers the parameters and runs the function.
class CEffectCommands : public CCommandSet {
public:
    /// The effect commands of a document.
    explicit CEffectCommands(COndrixDoc& doc);

    /// The command of a function: sets the effect command and, for the cross fade only when exactly two
    /// tracks are edited, runs it at once, with its dialog (expert mode), or through the preset menu
    /// (beginner mode).
    void OnEffectCommand(EffectKind kind);
    /// The effect runner for the effect command last set: preset -1 asks the dialog (when the function has
    /// one), 0..2 writes that preset into the settings; then runs the function and, when the sound
    /// changed, marks the document modified, tells the views and refreshes the status fields. Returns
    /// whether the sound changed.
    bool RunEffectCommand(int preset);
    /// The effect command last set.
    EffectKind GetEffectCommand() const noexcept { return m_effect; }
    /// "Repeat &Last Function": runs the function that last changed a sound (in any document) again, with
    /// the settings it used then, without dialog or menu. Returns whether the sound changed.
    bool RepeatLastFunction();

private:
    /// Runs the effect command with gathered settings and, when the sound changed, does the document's
    /// part and remembers the run for "Repeat &Last Function".
    bool Apply(const EffectSettings& settings, int64_t echoDelayFrames);

    /// Maps the command of one function.
    void MapFunction(EffectKind kind);
    /// Maps a preset choice of the menus.
    void MapPresetChoice(uint32_t id);

    EffectKind m_effect = EffectKind::Volume;
};

} // namespace ondrix
