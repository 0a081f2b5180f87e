#pragma once

#include "document/core/command_target.h"
#include "document/core/enabling_rules.h"
#include "fileformat/wave_format.h"
#include "process/undo_history.h"
#include "store/sample_store.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ondrix {

class CDocView;
class CClipboardCommands;
class CSoundCommands;
class CUndoCommands;
class CEditCommands;
class CEffectCommands;
class CFileCommands;
class CRecordCommands;
class CRecordSession;
struct SyncRange;
class CTrackCommands;
class IDocumentHost;

/// How a document is opened.
enum class OpenKind {
    Wave,      ///< a WAVE file
    Raw,       ///< a headerless file with stated rate, tracks, bits and offset
    Clipboard, ///< the clipboard's sound, titled "Clipboard"
    Internal   ///< titled "Internal Wave": the named file, or the built-in sound when there is none
};

/// The ways a document can be written.
enum class SaveKind {
    Wave,         ///< the multi-track WAVE file
    Raw,          ///< the sample bytes only
    StandardWave, ///< a standard WAVE file of at most two tracks, as playback hears it
    Copy          ///< the multi-track WAVE file as a copy: the document keeps its path and flag
};

/// One open sound: its store, cursor, block, zoom and current track, its undo states and views. Its
/// commands live in command sets (file, edit, track, effect, record) that follow it on the command route.
class COndrixDoc : public CCmdTarget {
public:
    /// A document that reports to a host (the main frame); the store is created empty.
    explicit COndrixDoc(IDocumentHost* host);
    ~COndrixDoc() override;

    // --- lifecycle ---
    /// Asks for the parameters of a new sound and creates it empty; false when the dialog was cancelled.
    bool OnNewDocument();
    /// Creates a new empty sound with given parameters (no dialog); they become the new defaults.
    bool CreateNew(uint32_t bits, uint32_t tracks, uint32_t rate, bool stereo);
    /// Opens a sound; false (the document is unusable) when it failed, the store having reported why.
    bool OnOpenDocument(const std::string& path, OpenKind kind = OpenKind::Wave, const RawFormat& raw = {});
    /// Opens a copy of a store (the custom clipboard) as a new, modified sound titled "Clipboard".
    bool OpenFromStore(const CSampleStore& source);
    /// Makes a recorded store (no copy) this new document's modified sound, titled "Recording".
    void AdoptTake(std::unique_ptr<CSampleStore> take);
    /// Makes a store recovered after a crash (no copy) this new document's modified sound: a take opens
    /// as "Recording", changes with the document's path and title from the store's description.
    void AdoptRecoveredWork(std::unique_ptr<CSampleStore> store);
    /// Writes the sound; a successful WAVE save clears the modified flag and takes the path.
    bool OnSaveDocument(const std::string& path, SaveKind kind);
    /// Asks "Save changes to %1?" when modified: Yes saves, No discards; false for Cancel or a failed save.
    bool SaveModified();
    /// Stops the engine, closes the accompaniment and releases the store and the undo states.
    void OnCloseDocument();

    // --- title, path and modified flag ---
    /// The title shown in the window ("Internal Wave" for the internal wave).
    std::string GetTitle() const;
    /// The file the document was read from or saved to; empty when none.
    const std::string& GetPathName() const noexcept { return m_path; }
    /// Whether the document belongs in the recent-file list and the list of documents to reopen.
    bool HasFilePath() const noexcept { return !m_path.empty() && !m_internalWave; }
    /// Whether the sound changed since it was opened or saved.
    bool IsModified() const noexcept { return m_modified; }
    /// Sets or clears the modified flag.
    void SetModifiedFlag(bool modified = true);
    /// Called when the title or the modified flag changed (the child window updates its caption).
    std::function<void()> m_onTitleChanged;
    /// Called when the document wants its window closed (command "&Close").
    std::function<void()> m_onCloseRequest;

    // --- views ---
    /// Adds a view that receives the update hints.
    void AddView(CDocView* view);
    /// Removes a view.
    void RemoveView(CDocView* view);
    /// The views, in the order they were added.
    const std::vector<CDocView*>& GetViews() const noexcept { return m_views; }
    /// Sends an update hint to every view except the sender.
    void UpdateAllViews(CDocView* sender, uint32_t hint, intptr_t data = 0);

    // --- command sets ---
    /// The document's command sets, in the order they follow the document on the command route.
    std::vector<CCmdTarget*> CommandTargets() const;

    // --- state ---
    /// The main frame the document reports to (null in some tests).
    IDocumentHost* GetHost() const noexcept { return m_host; }
    /// The sound.
    CSampleStore* GetStore() const noexcept { return m_store.get(); }
    /// The undo states of the sound.
    CUndoHistory& GetUndoHistory() noexcept { return m_undo; }
    /// The separate store a recording writes into, or null (also while it goes into the sound itself).
    CSampleStore* GetRecordStore() const noexcept;
    /// The prepared or running recording of this document, or null.
    CRecordSession* GetRecording() const noexcept { return m_recording.get(); }
    /// The undo states kept for the sound.
    const CUndoHistory& GetUndoHistory() const noexcept { return m_undo; }
    /// Whether a block is selected.
    bool HasBlock() const noexcept { return m_anchor != -1; }
    /// The first and last frame of the block (both the cursor when there is none).
    void GetBlock(int32_t& first, int32_t& last) const noexcept;
    /// The track mask of a command: the edited tracks with "&All Tracks" on, else the current track.
    std::array<uint32_t, 32> GetTrackMask() const;
    /// Whether a track is in the edit set.
    bool IsEditedTrack(uint32_t track) const;
    /// Whether the sound's engine (or the recording's) is running.
    bool IsBusy() const noexcept;
    /// Whether the sound plays.
    bool IsPlaying() const noexcept;
    /// The state the enabling rules look at.
    DocumentState GetState() const;

    // --- selection and zoom: read here, changed only through the setters, which tell the views ---
    /// The cursor frame.
    int32_t GetCursor() const noexcept { return m_cursor; }
    /// The block's other end; -1 when there is no block.
    int32_t GetAnchor() const noexcept { return m_anchor; }
    /// Frames per pixel; 0 fits the window, 1 is full detail.
    int32_t GetZoom() const noexcept { return m_zoom; }
    /// The index of the current track.
    uint32_t GetCurrentTrack() const noexcept { return m_currentTrack; }
    /// Moves the cursor; the anchor stays, so a block follows its moving end. Sends hint 13 with the old
    /// cursor and refreshes status field 2.
    void SetCursor(int32_t frame);
    /// Sets both ends of the block (anchor -1: no block, only the cursor). Sends hint 13 with the old cursor
    /// and refreshes status field 2.
    void SetBlock(int32_t anchor, int32_t cursor);
    /// Changes the zoom factor; when it differs, sends hint 5 with the old factor.
    void SetZoom(int32_t zoom);
    /// Sets the current track; when it differs, refreshes status field 1 and, with a block and "&All Tracks"
    /// off, sends hint 16.
    void SetCurrentTrack(uint32_t track);
    /// Whether the sample window is shown (the editing commands need it).
    bool IsSampleShown() const noexcept { return m_sampleShown; }
    /// Set by the waveform view when the sample window shows or hides.
    void SetSampleShown(bool shown) noexcept { m_sampleShown = shown; }

    /// A position or length in frames as the status fields show it: frames in time format 0, else the
    /// current time format.
    std::string TimeText(int64_t frames) const;

    // --- status fields ---
    /// Writes status field 1 to 7; 0 refreshes all seven; -1 empties them.
    void UpdateStatus(int field);

    /// Puts the newest undo state in place of the sound: marks the document modified, resets the
    /// selection, tells the views what changed (hint 15 as well when the stereo flag differs) and
    /// refreshes the status fields. False when there is no state.
    bool Undo();
    /// Puts the newest redo state in place of the sound, as Undo does; false when there is none or the
    /// undo state of the replaced sound could not be saved.
    bool Redo();

    // --- changes ---
    /// The frame of every change: saves an undo state, runs the operation, drops the undo state again when
    /// it fails, else marks the document modified, sends the hint and refreshes the status fields. Returns
    /// whether the change went through.
    bool ApplyChange(const std::function<bool()>& operation, uint32_t hint);

    /// Plays the block, or from the cursor, or the whole sound, as "Start From &Cursor (Block)" says.
    bool StartPlayback();

    // --- recording (document/record_*.cpp) ---
    /// The record command: prepares a recording into this document; false when the input could not be
    /// opened (reported), and then nothing of the recording stays.
    bool PrepareRecording();
    /// The pause command's step over this document's recording: starts a prepared recording's
    /// synchronous playback and accompaniment, or pauses and resumes the synchronous playback.
    void StartOrPauseRecording();
    /// Asks the recording to stop; the stop message then brings OnRecordingStopped.
    void StopRecording();
    /// The recording has ended: closes its accompaniment and synchronous playback and takes the take
    /// into the sound.
    void OnRecordingStopped();
    /// Before the document closes: while a recording is prepared or running, asks whether to stop it and
    /// take it in (Yes), to drop it (No) or to go on recording (Cancel, returns false).
    bool ConfirmCloseWhileRecording();

private:
    /// Maps the document's own commands: playback start, view rebuild and status refresh.
    void MapCommands();
    /// The frames the synchronous playback plays: the whole block, or from the cursor to the end.
    SyncRange SyncPlaybackRange() const;
    /// Ends the recording session (stopping its input) and tells the host that it is over.
    void CloseRecording();
    /// Takes a recorded store into the sound at the block start or cursor, as Paste does.
    void ApplyTake(std::unique_ptr<CSampleStore> take);
    /// Position and length of status fields 2 to 4 while recording or playing.
    uint32_t EnginePosition() const;
    /// The status text of one field.
    std::string StatusText(int field) const;
    /// What every successful open does: the format becomes the defaults, title, selection, hint 3.
    void FinishOpen(OpenKind kind, const std::string& path);
    /// Fills an empty "Software" info text with the program's name and version.
    void FillSoftwareText();
    /// Undo or Redo: swaps the state in, then marks, resets, tells the views and refreshes as Undo says.
    bool RestoreState(CUndoHistory::Direction direction);
    /// Resets the selection state after the sound was replaced.
    void ResetSelection();
    /// Keeps the sound's description beside its temporary file while it holds work that is nowhere
    /// else (changes, or a take recorded into it), and removes it once the work is safe.
    void KeepWorkSafe();

    IDocumentHost* m_host;
    std::unique_ptr<CSampleStore> m_store;
    std::unique_ptr<CRecordSession> m_recording;
    CUndoHistory m_undo;
    std::vector<CDocView*> m_views;
    std::string m_path;
    std::string m_title;
    bool m_modified = false;
    bool m_internalWave = false;
    int32_t m_zoom = 0;
    int32_t m_cursor = 0;
    int32_t m_anchor = -1;
    bool m_sampleShown = false;
    uint32_t m_currentTrack = 0;
    std::unique_ptr<CFileCommands> m_fileCommands;
    std::unique_ptr<CEditCommands> m_editCommands;
    std::unique_ptr<CClipboardCommands> m_clipboardCommands;
    std::unique_ptr<CUndoCommands> m_undoCommands;
    std::unique_ptr<CSoundCommands> m_soundCommands;
    std::unique_ptr<CTrackCommands> m_trackCommands;
    std::unique_ptr<CEffectCommands> m_effectCommands;
    std::unique_ptr<CRecordCommands> m_recordCommands;
};

} // namespace ondrix
