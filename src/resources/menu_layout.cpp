#include "resources/menu_layout.h"

#include "resources/command_ids.h"

namespace ondrix {

namespace {

MenuNode Item(uint32_t textId, uint32_t commandId) {
    return {MenuNode::Command, textId, commandId, {}};
}

MenuNode Line() {
    return {MenuNode::Separator, 0, 0, {}};
}

MenuNode Popup(uint32_t textId, std::vector<MenuNode> children) {
    return {MenuNode::Submenu, textId, 0, std::move(children)};
}

MenuNode Place(MenuNode::Kind kind) {
    return {kind, 0, 0, {}};
}

// Menu texts: string ids 32500 to 32699.
enum MenuText : uint32_t {
    T_FILE = 32500,
    T_NEW,
    T_OPEN,
    T_OPEN_RAW,
    T_FROM_CLIPBOARD,
    T_CLOSE,
    T_SAVE,
    T_SAVE_AS,
    T_SAVE_RAW,
    T_SAVE_STANDARD,
    T_WAVE_INFO,
    T_SEND,
    T_EXIT,
    T_EDIT = 32520,
    T_UNDO,
    T_UNDO_STEPS,
    T_CUT,
    T_COPY,
    T_PASTE,
    T_MIX,
    T_DELETE,
    T_SELECT_ALL,
    T_SELECT_BLOCK,
    T_GOTO,
    T_SEARCH,
    T_ALL_TRACKS,
    T_OVERWRITE,
    T_CUSTOM_CLIPBOARD,
    T_REPEAT_LAST,
    T_TRACKS = 32540,
    T_INSERT_TRACK,
    T_AFTER_CURRENT,
    T_BEFORE_CURRENT,
    T_DELETE_TRACK,
    T_PREVIOUS_TRACK,
    T_NEXT_TRACK,
    T_SAMPLE_PARAMETERS,
    T_VIEW = 32550,
    T_ADAPT,
    T_FULL_DETAIL,
    T_ZOOM_BLOCK,
    T_SWITCH_PANE,
    T_TOOLBAR,
    T_PLAY_BAR,
    T_VOLUME_BAR,
    T_STATUS_BAR,
    T_TOOL_BARS,
    T_ADAPT_BARS,
    T_STANDARD_BARS,
    T_PLAYBACK = 32565,
    T_PLAY_START,
    T_PAUSE,
    T_STOP,
    T_PLAY_DISK,
    T_FROM_CURSOR,
    T_LOOP,
    T_MOVE_CURSOR,
    T_RECORD = 32575,
    T_RECORD_START,
    T_SYNC_PLAY,
    T_MIDI,
    T_CD,
    T_VOLUME_FUNCTIONS = 32580,
    T_RAISE_LOWER,
    T_MAXIMISE,
    T_SILENCE,
    T_FADE_IN,
    T_FADE_OUT,
    T_DYNAMICS,
    T_ZERO_LINE,
    T_EFFECTS = 32590,
    T_ECHO,
    T_ENVELOPE,
    T_INVERT,
    T_REVERSE,
    T_TREMOLO,
    T_CROSS_FADE,
    T_DISTORT,
    T_TEMPO = 32600,
    T_VELOCITY,
    T_LENGTH,
    T_OPTIONS = 32605,
    T_SETTINGS,
    T_MIXER,
    T_WINDOW = 32610,
    T_CASCADE,
    T_TILE_HORZ,
    T_TILE_VERT,
    T_ARRANGE,
    T_HELP = 32615,
    T_TIP,
    T_HELP_TOPICS,
    T_ABOUT,
    T_REDO = 33701, // the texts of Redo lie in their own range
};

std::vector<MenuNode> ViewItems(bool document) {
    std::vector<MenuNode> items;
    if (document) {
        items = {Item(T_ADAPT, cmd::kZoomAdapt),          Item(T_FULL_DETAIL, cmd::kZoomFullDetail),
                 Item(T_ZOOM_BLOCK, cmd::kZoomIntoBlock), Line(),
                 Item(T_SWITCH_PANE, cmd::kSwitchPane),   Line()};
    }
    items.push_back(Item(T_TOOLBAR, cmd::kViewToolbar));
    items.push_back(Item(T_PLAY_BAR, cmd::kViewPlayBar));
    items.push_back(Item(T_VOLUME_BAR, cmd::kViewVolumeBar));
    items.push_back(Item(T_STATUS_BAR, cmd::kViewStatusBar));
    items.push_back(Line());
    items.push_back(
        Popup(T_TOOL_BARS, {Item(T_ADAPT_BARS, cmd::kAdaptBars), Item(T_STANDARD_BARS, cmd::kStandardBars)}));
    return items;
}

std::vector<MenuNode> PlaybackItems(bool document) {
    std::vector<MenuNode> items;
    if (document) {
        items.push_back(Item(T_PLAY_START, cmd::kPlayStart));
    }
    items.insert(items.end(),
                 {Item(T_PAUSE, cmd::kPause), Item(T_STOP, cmd::kStop), Item(T_PLAY_DISK, cmd::kPlayFromDisk),
                  Line(), Item(T_FROM_CURSOR, cmd::kStartFromCursor), Item(T_LOOP, cmd::kLoop),
                  Item(T_MOVE_CURSOR, cmd::kMoveCursor)});
    return items;
}

MenuNode HelpMenu() {
    return Popup(T_HELP, {Item(T_TIP, cmd::kTipOfTheDay), Item(T_HELP_TOPICS, cmd::kHelpFinder), Line(),
                          Item(T_ABOUT, cmd::kAbout)});
}

std::vector<MenuNode> BuildMainFrameMenu() {
    return {
        Popup(T_FILE, {Item(T_NEW, cmd::kFileNew), Item(T_OPEN, cmd::kFileOpen),
                       Item(T_OPEN_RAW, cmd::kOpenRaw), Item(T_FROM_CLIPBOARD, cmd::kFromClipboard), Line(),
                       Place(MenuNode::RecentFiles), Line(), Item(T_EXIT, cmd::kAppExit)}),
        Popup(T_VIEW, ViewItems(false)),
        Popup(T_PLAYBACK, PlaybackItems(false)),
        Popup(T_OPTIONS, {Item(T_SETTINGS, cmd::kSettings), Item(T_CUSTOM_CLIPBOARD, cmd::kCustomClipboard),
                          Item(T_MIXER, cmd::kMixer)}),
        HelpMenu(),
    };
}

std::vector<MenuNode> BuildDocumentMenu() {
    return {
        Popup(T_FILE,
              {Item(T_NEW, cmd::kFileNew), Item(T_OPEN, cmd::kFileOpen), Item(T_OPEN_RAW, cmd::kOpenRaw),
               Item(T_FROM_CLIPBOARD, cmd::kFromClipboard), Item(T_CLOSE, cmd::kFileClose), Line(),
               Item(T_SAVE, cmd::kFileSave), Item(T_SAVE_AS, cmd::kFileSaveAs),
               Item(T_SAVE_RAW, cmd::kSaveRaw), Item(T_SAVE_STANDARD, cmd::kSaveStandardWave), Line(),
               Item(T_WAVE_INFO, cmd::kWaveInformation), Item(T_SEND, cmd::kFileSendMail), Line(),
               Place(MenuNode::RecentFiles), Line(), Item(T_EXIT, cmd::kAppExit)}),
        Popup(T_EDIT, {Item(T_UNDO, cmd::kEditUndo), Item(T_REDO, cmd::kEditRedo),
                       Item(T_UNDO_STEPS, cmd::kUndoSteps), Item(T_REPEAT_LAST, cmd::kRepeatLastFunction),
                       Line(), Item(T_CUT, cmd::kEditCut), Item(T_COPY, cmd::kEditCopy),
                       Item(T_PASTE, cmd::kEditPaste), Item(T_MIX, cmd::kMix),
                       Item(T_DELETE, cmd::kEditDelete), Line(), Item(T_SELECT_ALL, cmd::kEditSelectAll),
                       Item(T_SELECT_BLOCK, cmd::kSelectBlock), Item(T_GOTO, cmd::kGoTo),
                       Item(T_SEARCH, cmd::kSearch), Line(), Item(T_ALL_TRACKS, cmd::kAllTracks),
                       Item(T_OVERWRITE, cmd::kOverwrite), Item(T_CUSTOM_CLIPBOARD, cmd::kCustomClipboard)}),
        Popup(T_TRACKS, {Popup(T_INSERT_TRACK, {Item(T_AFTER_CURRENT, cmd::kInsertTrackAfter),
                                                Item(T_BEFORE_CURRENT, cmd::kInsertTrackBefore)}),
                         Item(T_DELETE_TRACK, cmd::kDeleteTrack), Line(),
                         Item(T_PREVIOUS_TRACK, cmd::kPreviousTrack), Item(T_NEXT_TRACK, cmd::kNextTrack),
                         Line(), Item(T_SAMPLE_PARAMETERS, cmd::kSampleParameters)}),
        Popup(T_VIEW, ViewItems(true)),
        Popup(T_PLAYBACK, PlaybackItems(true)),
        Popup(T_RECORD,
              {Item(T_RECORD_START, cmd::kRecordStart), Line(), Item(T_SYNC_PLAY, cmd::kSynchronousPlayback),
               Item(T_MIDI, cmd::kMidiAccompaniment), Item(T_CD, cmd::kCdPlayer)}),
        Popup(T_VOLUME_FUNCTIONS,
              {Item(T_RAISE_LOWER, cmd::kVolumeRaiseLower), Item(T_MAXIMISE, cmd::kMaximise),
               Item(T_SILENCE, cmd::kSilence), Item(T_FADE_IN, cmd::kFadeIn), Item(T_FADE_OUT, cmd::kFadeOut),
               Item(T_DYNAMICS, cmd::kChangeDynamics), Item(T_ZERO_LINE, cmd::kZeroLine)}),
        Popup(T_EFFECTS,
              {Item(T_ECHO, cmd::kEcho), Item(T_ENVELOPE, cmd::kEnvelope), Item(T_INVERT, cmd::kInvert),
               Item(T_REVERSE, cmd::kReverse), Item(T_TREMOLO, cmd::kTremolo),
               Item(T_CROSS_FADE, cmd::kCrossFade), Item(T_DISTORT, cmd::kDistort)}),
        Popup(T_TEMPO, {Item(T_VELOCITY, cmd::kVelocity), Item(T_LENGTH, cmd::kChangeLength)}),
        Popup(T_OPTIONS, {Item(T_SETTINGS, cmd::kSettings), Item(T_MIXER, cmd::kMixer)}),
        Popup(T_WINDOW, {Item(T_CASCADE, cmd::kWindowCascade), Item(T_TILE_HORZ, cmd::kWindowTileHorz),
                         Item(T_TILE_VERT, cmd::kWindowTileVert), Item(T_ARRANGE, cmd::kWindowArrange),
                         Line(), Place(MenuNode::WindowList)}),
        HelpMenu(),
    };
}

} // namespace

const std::vector<MenuNode>& MainFrameMenu() {
    static const std::vector<MenuNode> menu = BuildMainFrameMenu();
    return menu;
}

const std::vector<MenuNode>& DocumentMenu() {
    static const std::vector<MenuNode> menu = BuildDocumentMenu();
    return menu;
}

} // namespace ondrix
