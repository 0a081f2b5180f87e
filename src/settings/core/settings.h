#pragma once

#include "audio/take_latency.h"
#include "effects/effect_params.h"
#include "resources/string_ids.h"
#include "settings/core/accel_table.h"
#include "settings/core/profile_store.h"
#include "settings/core/recent_file_list.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ondrix {

// The program-wide settings. Each field names its section and key; fields are named after their keys.
// Byte-wide fields are stored as integers and keep the low byte when read.

/// Section "Desktop".
struct DesktopSettings {
    std::string lastFileName;     ///< LastFileName: preset of the open dialogs
    uint8_t lastPropertyPage = 0; ///< LastPropertyPage: settings page shown first
    uint8_t bitsPerSample = 16;   ///< BitsPerSample of new and raw-format files
    uint8_t channels = 2;         ///< Channels (tracks) of new and raw-format files
    int32_t sampleRate = 44100;   ///< SampleRate of new and raw-format files
    int32_t fileOffset = 0;       ///< FileOffset: first byte of raw-format files
    int32_t stereo = 1;           ///< Stereo: stereo playback of new files
    int32_t showTips = 1;         ///< ShowTips: tip of the day at start-up
    int32_t tipPosition = 0;      ///< TipPosition: index of the next tip
    int32_t recalcBars = 1;       ///< RecalcBars: "&Adapt Tool Bars"
    uint8_t searchFor = 0;        ///< SearchFor (kept, no other use)
    uint8_t searchReplace = 0;    ///< SearchReplace (kept)
    int32_t searchAll = 0;        ///< SearchAll (kept)
    int32_t searchOnlyBlock = 0;  ///< SearchOnlyBlock (kept)
    int32_t searchConfirm = 1;    ///< SearchConfirm (kept)
    int32_t searchTime = 1;       ///< SearchTime (kept)
    int32_t searchBlock = 1;      ///< SearchBlock (kept)
    uint8_t searchLevel = 80;     ///< SearchLevel (kept)
    int32_t ownClipBoard = 1;     ///< OwnClipBoard: "Custom &Clipboard"
    int32_t expertMode = 0;       ///< ExpertMode: 0 beginner, 1 expert
};

/// How the main window is shown (section "Desktop", key "Show").
enum ShowState : int32_t { SHOW_MINIMIZED = 2, SHOW_MAXIMIZED = 3, SHOW_NORMAL = 5 };

/// Section "Desktop": the main window's placement.
struct WindowPlacement {
    /// The value of a rectangle side that was never stored.
    static constexpr int32_t kUnset = 32767;

    int32_t show = SHOW_NORMAL; ///< Show: 3 maximised, 2 minimised, 5 normal
    int32_t left = kUnset;      ///< Left, read and written only with Show 5 (screen coordinates)
    int32_t top = kUnset;       ///< Top
    int32_t right = kUnset;     ///< Right
    int32_t bottom = kUnset;    ///< Bottom

    /// Whether all four sides are known (otherwise the window keeps the size the system gives it).
    bool HasRect() const noexcept {
        return left != kUnset && top != kUnset && right != kUnset && bottom != kUnset;
    }
};

/// Section "Edit": the parameters of the editing functions and the undo history size.
struct EditSettings {
    /// Every function's parameters, stored under their ParamSpec keys; the envelope points as EnvCount,
    /// EnvPos%d, EnvVol%d.
    EffectSettings effects;
    int32_t allTracks = 0; ///< AllTracks: edit option "&All Tracks"
    int32_t overWrite = 0; ///< OverWrite: edit option "&Overwrite"
    int32_t mix = 50;      ///< Mix: mix
    uint8_t undoCount = 1; ///< UndoCount: undo history size
};

/// Section "SampleWindow": the waveform display.
struct SampleWindowSettings {
    uint8_t backGround = 0;     ///< BackGround: palette index
    uint8_t selected = 11;      ///< Selected: palette index of the block
    uint8_t foreGround = 13;    ///< ForeGround: palette index of the samples
    uint8_t zeroLine = 1;       ///< ZeroLine: palette index
    int32_t solidSample = 1;    ///< SolidSample: fill sample lines
    int32_t useSampleColor = 1; ///< UseSampleColor: sample background in the track name section
    uint8_t timeFmt = 8;        ///< TimeFmt: time format index
    uint8_t fps = 30;           ///< FPS: frames per second of time format 1
    int32_t inverse = 0;        ///< Inverse: sample window above the mixer area
    int32_t showSample = 1;     ///< ShowSample: show the sample window
    int32_t lineal = 1;         ///< Lineal: show the ruler
    int32_t peakDisplay = 1;    ///< PeakDisplay: each column spans the minimum to the maximum it covers
};

/// Section "PlayBack".
struct PlayBackSettings {
    int32_t cursor = 1;       ///< Cursor: play from the cursor or the block
    int32_t loop = 0;         ///< Loop
    int32_t scrollCursor = 1; ///< ScrollCursor: move the cursor while playing
    int32_t port = -1;        ///< Port: output device, -1 the mapper, -2 none
    int32_t buffer = 65536;   ///< Buffer: bytes per device buffer
};

/// Section "Record".
struct RecordSettings {
    int32_t port = -1;                     ///< Port: input device
    int32_t buffer = 65536;                ///< Buffer: bytes per device buffer
    int32_t syncPlay = 0;                  ///< SyncPlay: play the other tracks while recording
    int32_t syncCD = 0;                    ///< SyncCD: CD accompaniment
    int32_t syncBreak = 1;                 ///< SyncBreak
    uint8_t syncTrack = 1;                 ///< SyncTrack: CD track
    int32_t syncMidi = 0;                  ///< SyncMidi: MIDI accompaniment
    std::string syncMidiFile;              ///< SyncMidiFile: the MIDI file
    int32_t syncTempo = 120;               ///< SyncTempo
    int32_t midiPort = -1;                 ///< MidiPort: MIDI output port
    int32_t latencyMs = kLatencyMsDefault; ///< LatencyMs: latency compensation of a take, 0..1000 ms
};

/// Section "SynchroPlay": the format other tracks play in while recording.
struct SynchroPlaySettings {
    int32_t useFile = 1;        ///< UseFile: the sound's own format
    int32_t sampleRate = 44100; ///< SampleRate
    uint8_t bitsPerSample = 16; ///< BitsPerSample
    int32_t stereo = 1;         ///< Stereo
    int32_t port = -1;          ///< Port: output device
    int32_t buffer = 65536;     ///< Buffer
};

/// Section "TempPath": where stores keep their data ("" memory, "@~" the system temporary directory).
struct TempPathSettings {
    std::string editor = "@~";      ///< Editor
    std::string clipboard = "@~";   ///< Clipboard
    std::string record = "@~";      ///< Record
    std::string synchroPlay = "@~"; ///< SynchroPlay
};

/// Sections "ToolBars-Summary" (Bars) and "ToolBars-Bar%d": one bar's visibility and position.
struct ToolBarPlacement {
    int32_t visible = 1; ///< Visible
    int32_t area = 4;    ///< Area: 0 floating, 1 left, 2 right, 4 top, 8 bottom
    int32_t x = 0;       ///< X: position in the dock row, or on the screen when floating
    int32_t y = 0;       ///< Y: the dock row, or on the screen when floating

    friend bool operator==(const ToolBarPlacement&, const ToolBarPlacement&) = default;
};

/// Every persistent setting of the program.
struct Settings {
    DesktopSettings desktop;
    WindowPlacement window;
    EditSettings edit;
    SampleWindowSettings sampleWindow;
    PlayBackSettings playBack;
    RecordSettings record;
    SynchroPlaySettings synchroPlay;
    TempPathSettings tempPath;
    AccelTable accels;                      ///< section "Accels": Count, Flags%d, Keys%d, Cmd%d
    CRecentFileList recentFiles;            ///< section "RecentFiles"
    std::vector<ToolBarPlacement> toolBars; ///< empty: the bars get the standard arrangement
    std::vector<std::string> openDocuments; ///< Windows-Summary/Count, Windows-Window%d/Path
};

/// The program's settings, read at start-up and written at exit.
extern Settings g_settings;

/// Whether this is the first run (root key `First`, default 1).
bool IsFirstRun(const IProfileStore& profile);

/// Ends the first run at once: writes `First` = 0 and flushes, so an aborted first run does not ask again.
bool EndFirstRun(IProfileStore& profile);

/// The settings of a first run: every default, the built-in shortcut table, no recent files, no bars
/// (standard arrangement) and no documents to reopen.
Settings FirstRunSettings();

/// Loads the settings: on the first run FirstRunSettings() without reading; otherwise every value, with
/// the defaults for missing keys and the envelope points filtered (kept only when both values are at
/// least 0 and the position at most 1024).
void LoadSettings(const IProfileStore& profile, bool firstRun, Settings& settings);

/// Writes every setting and flushes the store; false when the store could not be written.
bool WriteSettings(IProfileStore& profile, const Settings& settings);

/// WriteSettings at exit: when the store cannot be written, tells the user once (message 32200 with the
/// store's location) instead of losing the changes silently. Returns whether they were written.
bool SaveSettings(IProfileStore& profile, const Settings& settings);

} // namespace ondrix
