#pragma once

#include <cstdint>
#include <string>

namespace ondrix {

class CDocView;
class COndrixDoc;

/// The mixer's changes to a document's sound: each writes the store (which recomputes the playback gains,
/// so a running playback hears it in its next buffer), marks the document modified and sends the hints
/// the other views need. Tracks outside the sound are ignored.
class CTrackMixer {
public:
    /// Changes the mixer of a document; sender is the view the hints do not go back to.
    CTrackMixer(COndrixDoc& doc, CDocView* sender) noexcept : m_doc(doc), m_sender(sender) {}

    /// Volume (0..200) and balance (-100..100) of a track.
    void SetVolumeBalance(uint32_t track, int volume, int balance);
    /// The name of a track.
    void SetName(uint32_t track, const std::string& name);
    /// Mutes (off) or plays a track.
    void SetPlayOff(uint32_t track, bool off);
    /// Shows or hides a track's lane (hint 2 when it changes).
    void SetShown(uint32_t track, bool shown);
    /// Puts a track into the edit set or out of it (hint 16 when it changes with a block and all tracks).
    void SetEdited(uint32_t track, bool edited);
    /// The main volume, left and right (0..200).
    void SetMainVolume(int left, int right);

private:
    /// Whether the track exists in the sound.
    bool IsTrack(uint32_t track) const noexcept;
    /// Sets or clears a track flag; true when it changed.
    bool SetFlag(uint32_t track, uint32_t flag, bool on);

    COndrixDoc& m_doc;
    CDocView* m_sender;
};

} // namespace ondrix
