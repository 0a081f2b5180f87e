#pragma once

#include "store/sample_store.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace ondrix {

/// A paste's track assignment: for every track of the receiving store the source track, or 255.
using TrackAssignment = std::array<uint8_t, kMaxTracks>;
inline constexpr uint8_t kNoSourceTrack = 255;

/// Source track k goes to document track current + k, for every k whose target exists.
TrackAssignment DefaultAssignment(uint32_t sourceTracks, uint32_t documentTracks, uint32_t currentTrack);

/// Whether the user must choose the assignment: unless both have the same number of tracks or the source
/// has one, and every source track finds a target from the current track on.
bool NeedsAssignmentDialog(uint32_t sourceTracks, uint32_t documentTracks, uint32_t currentTrack);

/// For every source track the document track it goes to, or kNoSourceTrack for a discarded one: the form
/// the "Track Assignment" dialog shows.
using SourceTargets = std::array<uint8_t, kMaxTracks>;

/// The inverse of an assignment: for each of sourceTracks the document track that receives it (the first
/// one when several do), or kNoSourceTrack.
SourceTargets TargetsOfSources(const TrackAssignment& assignment, uint32_t sourceTracks);

/// An assignment from the inverse map; when two source tracks name the same document track, the later
/// one takes it.
TrackAssignment AssignmentFromTargets(const SourceTargets& targets, uint32_t sourceTracks,
                                      uint32_t documentTracks);

/// Whether an assignment puts any source track into the document.
bool AssignsAnyTrack(const TrackAssignment& assignment) noexcept;

/// The program's clipboard: the custom clipboard store while it is in use, otherwise the system clipboard,
/// which carries the sound as a WAVE block.
class CClipboard {
public:
    /// Starts with the custom clipboard (empty) when custom is set.
    explicit CClipboard(bool custom);
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;

    /// Whether the custom clipboard is in use.
    bool IsCustom() const noexcept { return m_custom != nullptr; }
    /// Switches between the custom and the system clipboard; switching the custom one off empties it.
    void ToggleCustom();
    /// The custom clipboard store, or nullptr in system mode.
    CSampleStore* GetCustomStore() const noexcept { return m_custom.get(); }
    /// Empties the custom clipboard (a new, empty store), e.g. when its temporary path changes.
    void ResetCustom();
    /// Whether there is something to paste: data in the custom store, or WAVE data on the system clipboard.
    bool CanPaste() const;

    /// Copies frames first..last of the masked tracks of store to the clipboard in use; the data lives
    /// where clipboardPath says. A failed copy leaves the clipboard as it was.
    bool Copy(CSampleStore& store, const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame,
              const std::string& clipboardPath);
    /// The first half of a copy: a new store holding frames first..last of the masked tracks, made where
    /// clipboardPath says; null when it failed (reported). The clipboard does not change yet.
    std::unique_ptr<CSampleStore> CopyOut(CSampleStore& store, const uint32_t* trackMask, int64_t firstFrame,
                                          int64_t lastFrame, const std::string& clipboardPath) const;
    /// The second half: makes a copied store the clipboard's content (in system mode the WAVE block on the
    /// system clipboard); false when the system clipboard refused it.
    bool Install(std::unique_ptr<CSampleStore> copy);

    /// The store to paste from: the custom store, or a temporary store loaded from the system clipboard into
    /// holder. nullptr when there is nothing to paste or loading failed (reported).
    CSampleStore* PasteSource(std::unique_ptr<CSampleStore>& holder, const std::string& clipboardPath);

private:
    std::unique_ptr<CSampleStore> m_custom;
};

} // namespace ondrix
