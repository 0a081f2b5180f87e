#pragma once

#include "store/data_file.h"
#include "store/display_cache.h"
#include "store/mixer_block.h"
#include "store/peak_summary.h"
#include "store/temp_paths.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace ondrix {

inline constexpr uint32_t TRACK_SHOWN = 1;
inline constexpr uint32_t TRACK_EDITED = 2;
inline constexpr int kInfoTextCount = 16;

/// The four-character codes of the RIFF "INFO" texts, in store order.
inline constexpr const char* kInfoIds[kInfoTextCount] = {"IART", "ICMS", "ICMT", "ICOP", "ICRD", "IENG",
                                                         "IGNR", "IKEY", "IMED", "INAM", "IPRD", "ISBJ",
                                                         "ISFT", "ISRC", "ISRF", "ITCH"};

struct PieceBlock;
/// A sample routine called by the block driver for every piece; returns 0 to end the run as a user abort.
using ProcessRoutine = uint32_t (*)(PieceBlock* piece);

class CAudioEngine;
class CRecoveryNote;
class IEngineListener;
struct RawFormat;
struct RecoveryIdentity;

/// Deletes the audio engine of a store (defined with the engine, so the store needs no engine header).
struct AudioEngineDeleter {
    void operator()(CAudioEngine* engine) const noexcept;
};

/// One sound: its format, its interleaved sample data in one data file, the mixer block, track names,
/// track flags, play-off flags and info texts. Every operation returns true on success and false on
/// failure, having reported the failure itself (unless it was a user abort or show-errors is clear).
class CSampleStore {
public:
    CSampleStore();
    CSampleStore(const CSampleStore&) = delete;
    CSampleStore& operator=(const CSampleStore&) = delete;
    virtual ~CSampleStore();

    // --- lifecycle and copies ---
    /// Makes an empty store of the format with a fresh data file (directory empty: the system one).
    bool Create(StorageMode mode, const std::string& directory, uint32_t bits, uint32_t tracks, uint32_t rate,
                bool stereo);
    /// Stops playback or recording, closes the data file (deleting a temporary one); the store is empty.
    void Release();
    /// Makes this store an exact copy of the source: format, mixer, flags, names, texts and data.
    bool CopyFrom(StorageMode mode, const std::string& directory, const CSampleStore* source);
    /// Gives a store that reads its file in place a data file of its own (a temporary file in directory, or
    /// memory) holding the same samples, with progress and abort; everything else stays. True at once for a
    /// store that is not in place; false when the copy failed or was aborted (reported; nothing changed).
    bool MakeWritable(StorageMode mode, const std::string& directory);
    /// Makes this store a one- or two-track rendering of frames first..last of source as playback hears
    /// it, at rate and bits (rate 0: the source's own); channels 0 follows the source's stereo flag.
    bool MixDown(StorageMode mode, const std::string& directory, CSampleStore* source, int64_t firstFrame,
                 int64_t lastFrame, uint32_t rate, uint32_t bits, uint32_t channels = 0);

    // --- WAVE and raw files (fileformat/) ---
    /// Loads a WAVE file; STORE_INPLACE keeps reading the samples from the file itself.
    bool Load(const std::string& path, StorageMode mode, const std::string& directory);
    /// Loads a complete WAVE file held in memory; STORE_INPLACE is refused.
    bool Load(const void* data, std::size_t size, StorageMode mode, const std::string& directory);
    /// Loads a headerless file whose rate, tracks, bits and starting offset are stated.
    bool LoadRaw(const std::string& path, const RawFormat& format, StorageMode mode,
                 const std::string& directory);
    /// Loads one of the program's built-in sounds (153: the internal sound).
    bool LoadResourceWave(uint32_t id, StorageMode mode, const std::string& directory);
    /// Loads the WAVE block on the system clipboard.
    bool LoadClipboardWave(StorageMode mode, const std::string& directory);
    /// Writes a WAVE file (raw: the sample bytes only); an empty path puts the WAVE block on the clipboard.
    bool Save(const std::string& path, bool raw);

    // --- format ---
    /// Bits per sample (8 or 16); 0 when empty.
    uint32_t GetBitsPerSample() const noexcept { return HasData() ? m_bits : 0; }
    /// Number of tracks; 0 when empty.
    uint32_t GetTrackCount() const noexcept { return HasData() ? m_tracks : 0; }
    /// Frames per second; 0 when empty.
    uint32_t GetSampleRate() const noexcept { return HasData() ? m_rate : 0; }
    /// Bytes of sample data; 0 when empty.
    uint32_t GetDataSize() const noexcept { return HasData() ? m_dataSize : 0; }
    /// Bytes per frame; 1 when empty.
    uint32_t GetBlockAlign() const noexcept { return HasData() ? m_tracks * (m_bits / 8) : 1; }
    /// Number of whole frames of data.
    uint32_t GetFrameCount() const noexcept { return GetDataSize() / GetBlockAlign(); }
    /// Whether the store holds a data file.
    bool HasData() const noexcept { return m_dataFile != nullptr; }
    /// The storage mode of the data file.
    StorageMode GetStorageMode() const noexcept { return m_storageMode; }
    /// The data file's path (STORE_TEMPFILE: the temporary file; STORE_INPLACE: the source file).
    const std::string& GetTempFileName() const noexcept { return m_tempFileName; }
    /// The directory the creator asked for; empty when the system temporary directory is used.
    const std::string& GetTempDirectory() const noexcept { return m_tempDirectory; }

    // --- time conversion ---
    /// ceil(ms * 0.001 * rate); negative values are returned unchanged, 0 when empty.
    int64_t MsToFrames(int64_t milliseconds) const noexcept;
    /// trunc(frames / rate * 1000); negative values are returned unchanged, 0 when empty.
    int64_t FramesToMs(int64_t frames) const noexcept;

    // --- raw data (byte offsets from the first sample) ---
    /// Reads up to count bytes at offset; returns the bytes read (0 when empty or no buffer).
    uint32_t ReadData(uint32_t offset, void* buffer, uint32_t count);
    /// Writes count bytes at offset without changing the data size.
    bool WriteData(uint32_t offset, const void* buffer, uint32_t count);
    /// Writes count bytes at the end of the data and adds them to the data size.
    bool AppendData(const void* buffer, uint32_t count);

    // --- mixer ---
    /// Copies the mixer block out (unchanged when empty).
    void GetMixer(MixerBlock& mixer) const noexcept;
    /// Copies the mixer block in and recomputes the playback gains.
    void SetMixer(const MixerBlock& mixer);
    /// The stereo playback flag.
    bool GetStereo() const noexcept { return m_mixer.stereo != 0; }
    /// Sets the stereo playback flag.
    void SetStereo(bool stereo) noexcept { m_mixer.stereo = stereo ? 1 : 0; }
    /// Whether a track is muted in playback and mix-down.
    bool GetPlayOff(int track) const noexcept;
    /// Mutes or unmutes a track and recomputes the playback gains.
    void SetPlayOff(int track, bool off);
    /// Whether the mixer differs from what a plain WAVE file implies (the writer then adds "chnn").
    bool IsMixerNonStandard() const noexcept;
    /// Whether playback has to mix: a non-standard mixer or a muted track.
    bool IsMixNeeded() const noexcept;
    /// Direct access to the mixer block for the views and the engine.
    const MixerBlock& Mixer() const noexcept { return m_mixer; }

    // --- display cache ---
    /// Makes sure the cache covers frames first..last at factor (first 0xFFFFFFFF: the whole data).
    bool BuildDisplayCache(uint32_t first, uint32_t last, uint32_t factor);
    /// The 16-bit value of a track near a frame from the cache; 0 when the cache does not hold it.
    int16_t GetDisplaySample(uint32_t frame, int track) const noexcept;
    /// Frees the display cache (after the data changed).
    void FreeDisplayCache() noexcept { m_displayCache.Free(); }
    /// The minimum/maximum summary for drawing zoomed out (ready once RebuildPeaks has finished).
    const CPeakSummary& Peaks() const noexcept { return m_peaks; }
    /// Brings the summary up to date: a ready summary of the same length refreshes at once just the
    /// stretch that changed since; otherwise it is built anew, on a worker thread for a file, at once for
    /// a memory store.
    void RebuildPeaks();
    /// Notes that count bytes of the data from offset changed (count past the end: all from offset on).
    void NoteDataChanged(uint64_t offset, uint64_t count) noexcept;

    // --- block driver ---
    /// Runs routine over frames first..last in pieces (see process/block_driver.h for the parameters).
    bool Process(const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame, bool modify,
                 uint32_t numerator, uint32_t denominator, bool insert, ProcessRoutine routine,
                 uint8_t granularity, void* context);

    // --- editing primitives and format conversion (process/editing_*.cpp) ---
    /// Converts every sample to 8 or 16 bits.
    bool ConvertBits(uint32_t newBits);
    /// Sets the sampling rate; with resample the frames are converted so the duration stays.
    bool SetSampleRate(uint32_t newRate, bool resample);
    /// Changes the number of tracks (1 to 32): added tracks are silent, the highest are dropped.
    bool SetTrackCount(uint32_t count);
    /// Inserts a silent track at index (0 to track count), moving the per-track settings up.
    bool InsertTrack(uint32_t index);
    /// Deletes the track at index, moving the per-track settings down.
    bool DeleteTrack(uint32_t index);
    /// Removes frames first..last on the masked tracks (null mask: all tracks).
    bool DeleteBlock(const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame);
    /// Appends frames first..last of the masked tracks to target (created empty with the selected tracks).
    bool CopyBlock(const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame, CSampleStore* target);
    /// Inserts, overwrites or mixes (mixPercent) all frames of source at frame, through a 32-entry track
    /// assignment (source track per track of this store, 255 = nothing).
    bool PasteBlock(const uint8_t* assignment, int64_t frame, bool insert, CSampleStore* source, bool mix,
                    uint32_t mixPercent);

    // --- audio engine (audio/audio_engine.h) ---
    /// Plays frames start..end-1 (negative: from the first / to the last frame) on an output device
    /// (-1: the preferred one); false when there is nothing to play or the device failed to open.
    bool StartPlayback(int device, uint32_t bufferSize, int64_t start = -1, int64_t end = -1,
                       bool loop = false, IEngineListener* listener = nullptr);
    /// Opens an input device paused, to append to this store; the first TogglePause starts it.
    bool StartRecording(int device, uint32_t bufferSize, IEngineListener* listener = nullptr);
    /// Asks the running playback or recording to end; returns at once.
    void StopAudio() noexcept;
    /// Pauses or resumes the running playback or recording.
    void TogglePause();
    /// While a recording is opened and not yet started, runs its input for the levels (nothing is kept).
    void MonitorAudioInput();
    /// AUDIO_PLAYING or AUDIO_RECORDING, plus AUDIO_PAUSED; 0 when nothing runs.
    uint32_t GetAudioState() const noexcept;
    /// The frame being played, or the frames recorded in this run; 0 when nothing runs.
    uint32_t GetAudioPosition() const;
    /// The levels (0 to 100) at the device's position; 0 and 0 when nothing runs or paused.
    void GetAudioLevels(uint32_t& left, uint32_t& right) const;
    /// Recomputes the per-track playback gains from the mixer block and play-off flags.
    void RecomputeGains();
    /// Mixes inBytes of this store's frames into its playback format (call RecomputeGains first);
    /// returns the bytes written to out.
    uint32_t MixBlock(void* out, const void* in, uint32_t inBytes) const;

    // --- crash recovery (store/recovery_note.h) ---
    /// Keeps a description file beside the temporary data file, so the work survives a crash, and brings
    /// it up to date; false when the store is in memory or the file could not be written.
    bool KeepRecoveryNote(const RecoveryIdentity& identity);
    /// Removes the description file: the work is safe elsewhere.
    void DropRecoveryNote() noexcept;
    /// The description kept, or null.
    const CRecoveryNote* GetRecoveryNote() const noexcept { return m_recoveryNote.get(); }

    // --- plain fields read and assigned by the document, views and dialogs ---
    uint32_t m_showErrors = 1;
    uint32_t m_defaultTrackFlags = 0;
    uint32_t m_progressWindowId = 0;
    uint32_t m_progressTextId = 0;
    std::array<std::string, kInfoTextCount> m_infoTexts;
    std::array<std::string, kMaxTracks> m_trackNames;
    std::array<uint32_t, kMaxTracks> m_trackFlags{};
    std::array<uint8_t, kMaxTracks> m_playOff{};

protected:
    /// Installs a data file and the format that goes with it (used by the loaders); releases old data first.
    void AdoptDataFile(std::unique_ptr<CDataFile> file, StorageMode mode, uint32_t dataOffset,
                       const std::string& directory, uint32_t bits, uint32_t tracks, uint32_t rate,
                       uint32_t dataSize);

private:
    friend class CBlockDriver;
    friend class CStoreLoader;
    friend class CAudioEngine;
    friend class CLeftoverStore;

    /// Creates a fresh data file of a storage mode; shows 31500 and throws UserAbort when it fails.
    std::unique_ptr<CDataFile> MakeDataFile(StorageMode mode, const std::string& directory) const;
    /// Resets format, mixer, names, flags and texts for a new sound.
    void ResetFields(uint32_t bits, uint32_t tracks, uint32_t rate, bool stereo);
    /// Stops playback or recording of this store and waits until the engine has let go of the data file.
    void StopAudioForRelease() noexcept;
    /// The engine, made on first use.
    CAudioEngine& Engine() const;
    /// Writes the description again after the data file or the format changed.
    void RewriteRecoveryNote() noexcept;

    StorageMode m_storageMode = STORE_MEMORY;
    std::unique_ptr<CDataFile> m_dataFile;
    uint32_t m_dataOffset = 0;
    CDisplayCache m_displayCache;
    CPeakSummary m_peaks;
    uint64_t m_changedFirst = UINT64_MAX; ///< the data bytes changed since the summary: first ..
    uint64_t m_changedEnd = 0;            ///< .. one past the last
    MixerBlock m_mixer{};
    uint32_t m_bits = 0;
    uint32_t m_tracks = 0;
    uint32_t m_rate = 0;
    uint32_t m_dataSize = 0;
    std::string m_tempFileName;
    std::string m_tempDirectory;
    mutable std::unique_ptr<CAudioEngine, AudioEngineDeleter> m_engine;
    std::unique_ptr<CRecoveryNote> m_recoveryNote;
};

} // namespace ondrix
