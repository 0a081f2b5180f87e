#pragma once

#include <cstdint>

namespace ondrix {

/// What the enabling rules of a document's commands look at.
struct DocumentState {
    bool hasBlock = false;         ///< the anchor is not -1
    bool sampleShown = false;      ///< the sample window is shown
    uint32_t dataSize = 0;         ///< bytes of sample data
    uint32_t tracks = 0;           ///< number of tracks
    bool playing = false;          ///< the sound's engine plays
    bool recording = false;        ///< a recording store exists
    bool engineBusy = false;       ///< the sound's own engine plays or records (a recording into it)
    bool maskHasTrack = false;     ///< the command's track mask has at least one entry set
    bool clipboardHasData = false; ///< the clipboard in use holds data
    int32_t zoom = 0;              ///< frames per pixel; 0 fits the window, 1 full detail
};

/// The rule a command of the document obeys.
enum class EnableRule {
    None,          ///< not a rule of the document
    Edit,          ///< a block on edited tracks of a non-empty sound, idle
    Paste,         ///< clipboard data, sample window shown, idle
    Data,          ///< a non-empty sound, sample window shown, idle
    Idle,          ///< neither playing nor recording
    InsertTrack,   ///< fewer than 32 tracks, idle
    DeleteTrack,   ///< more than one track, idle
    ZoomAdapt,     ///< zoom differs from 0, sample window shown
    ZoomFull,      ///< zoom differs from 1, sample window shown
    ZoomIntoBlock, ///< a block and the sample window
    Switch,        ///< the sample window is shown
    Never          ///< always disabled
};

/// Whether neither playback nor a recording runs on the document, its own store's engine included: no
/// command may change a store while its engine plays or records into it.
bool IsIdle(const DocumentState& state) noexcept;

/// The rule of a command id.
EnableRule RuleOf(uint32_t commandId) noexcept;

/// Whether a rule enables its commands in a state.
bool IsEnabledBy(EnableRule rule, const DocumentState& state) noexcept;

} // namespace ondrix
