#pragma once

#include <cstdint>

namespace ondrix {

/// The update hints a document sends to its views. Defined here, low in the layers, so that core results
/// (an effect run tells which hint its change needs) use the same numbers.
enum UpdateHint : uint32_t {
    HINT_TRACKS = 1,          ///< the number or order of tracks changed
    HINT_TRACK_SHOWN = 2,     ///< a track's TRACK_SHOWN flag changed
    HINT_NEW_SOUND = 3,       ///< a sound was created or loaded
    HINT_LENGTH = 4,          ///< the length changed
    HINT_ZOOM = 5,            ///< the zoom factor changed; data = the old factor
    HINT_ACTIVATE_OTHER = 6,  ///< the other view is to become active; data = the sending view
    HINT_PLAY_NO_BLOCK = 7,   ///< playback started without a block
    HINT_ZOOM_BLOCK = 8,      ///< zoom into the block
    HINT_SELECT = 9,          ///< select a block; data points to two frames (first, last)
    HINT_SET_CURSOR = 10,     ///< set the cursor; data = the frame
    HINT_DATA = 11,           ///< the data changed, the length stayed
    HINT_REBUILD = 12,        ///< rebuild requested from outside the document
    HINT_CURSOR_MOVED = 13,   ///< the cursor moved; data = the old cursor
    HINT_STEREO = 15,         ///< the stereo playback flag changed
    HINT_EDIT_STATE = 16,     ///< the edit state of the tracks changed (only while a block exists)
    HINT_RECORD_PREPARED = 17 ///< a recording has been prepared for the document
};

} // namespace ondrix
