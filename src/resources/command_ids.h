#pragma once

#include <cstdint>

namespace ondrix::cmd {

// Framework commands (file, edit, window, help, bars).
inline constexpr uint32_t kFileNew = 57600;
inline constexpr uint32_t kFileOpen = 57601;
inline constexpr uint32_t kFileClose = 57602;
inline constexpr uint32_t kFileSave = 57603;
inline constexpr uint32_t kFileSaveAs = 57604;
inline constexpr uint32_t kFileSendMail = 57612;
inline constexpr uint32_t kFileMruFirst = 57616; ///< the recent files, four entries from here
inline constexpr uint32_t kFileMruCount = 4;
inline constexpr uint32_t kEditDelete = 57632;
inline constexpr uint32_t kEditCopy = 57634;
inline constexpr uint32_t kEditCut = 57635;
inline constexpr uint32_t kEditPaste = 57637;
inline constexpr uint32_t kEditSelectAll = 57642;
inline constexpr uint32_t kEditUndo = 57643;
inline constexpr uint32_t kWindowArrange = 57649;
inline constexpr uint32_t kWindowCascade = 57650;
inline constexpr uint32_t kWindowTileHorz = 57651;
inline constexpr uint32_t kWindowTileVert = 57652;
inline constexpr uint32_t kAppExit = 57665;
inline constexpr uint32_t kHelpFinder = 57667;
inline constexpr uint32_t kContextHelp = 57669;
inline constexpr uint32_t kHelp = 57670;
inline constexpr uint32_t kViewToolbar = 59392;
inline constexpr uint32_t kViewStatusBar = 59393;

// Commands of the program.
inline constexpr uint32_t kRebuildViews = 12;  ///< sent to every window after a settings change
inline constexpr uint32_t kRefreshStatus = 14; ///< the documents refresh their status fields
inline constexpr uint32_t kPlayStart = 32777;
inline constexpr uint32_t kPlayFromDisk = 32778;
inline constexpr uint32_t kPause = 32779;
inline constexpr uint32_t kStop = 32780;
inline constexpr uint32_t kLoop = 32783;
inline constexpr uint32_t kOpenRaw = 32784;
inline constexpr uint32_t kSaveRaw = 32785;
inline constexpr uint32_t kViewPlayBar = 32786;
inline constexpr uint32_t kViewVolumeBar = 32789;
inline constexpr uint32_t kSaveStandardWave = 32790;
inline constexpr uint32_t kAbout = 32795;
inline constexpr uint32_t kInsertTrackAfter = 32801;
inline constexpr uint32_t kInsertTrackBefore = 32802;
inline constexpr uint32_t kDeleteTrack = 32803;
inline constexpr uint32_t kSampleParameters = 32806;
inline constexpr uint32_t kWaveInformation = 32807;
inline constexpr uint32_t kSearch = 32808;
inline constexpr uint32_t kGoTo = 32811;
inline constexpr uint32_t kPreviousTrack = 32812;
inline constexpr uint32_t kNextTrack = 32813;
inline constexpr uint32_t kZoomAdapt = 32814;
inline constexpr uint32_t kZoomFullDetail = 32815;
inline constexpr uint32_t kSwitchPane = 32818;
inline constexpr uint32_t kStartFromCursor = 32819;
inline constexpr uint32_t kZoomIntoBlock = 32820;
inline constexpr uint32_t kMoveCursor = 32821;
inline constexpr uint32_t kSelectBlock = 32822;
inline constexpr uint32_t kAllTracks = 32824;
inline constexpr uint32_t kOverwrite = 32825;
inline constexpr uint32_t kRecordStart = 32828;
inline constexpr uint32_t kFromClipboard = 32830;
inline constexpr uint32_t kCustomClipboard = 32831;
inline constexpr uint32_t kSynchronousPlayback = 32832;
inline constexpr uint32_t kMidiAccompaniment = 32833;
inline constexpr uint32_t kVolumeRaiseLower = 32835;
inline constexpr uint32_t kFadeIn = 32836;
inline constexpr uint32_t kFadeOut = 32837;
inline constexpr uint32_t kChangeDynamics = 32838;
inline constexpr uint32_t kZeroLine = 32839;
inline constexpr uint32_t kMaximise = 32841;
inline constexpr uint32_t kSilence = 32842;
inline constexpr uint32_t kEcho = 32843;
inline constexpr uint32_t kReverse = 32844;
inline constexpr uint32_t kInvert = 32845;
inline constexpr uint32_t kDistort = 32846;
inline constexpr uint32_t kEqualizer = 32847;
inline constexpr uint32_t kSettings = 32848;
inline constexpr uint32_t kEnvelope = 32849;
inline constexpr uint32_t kTremolo = 32850;
inline constexpr uint32_t kStandardBars = 32851;
inline constexpr uint32_t kAdaptBars = 32852;
inline constexpr uint32_t kCdPlayer = 32853;
inline constexpr uint32_t kMix = 32855;
inline constexpr uint32_t kUndoSteps = 32856;
inline constexpr uint32_t kMixer = 32857;
inline constexpr uint32_t kCrossFade = 32858;
inline constexpr uint32_t kVelocity = 32859;
inline constexpr uint32_t kChangeLength = 32861;
inline constexpr uint32_t kTipOfTheDay = 32869;
inline constexpr uint32_t kRepeatLastFunction = 32870;
inline constexpr uint32_t kEditRedo = 33700; ///< its prompt is string 33700, its menu text 33701

// Preset choices of the beginner menus.
inline constexpr uint32_t kPresetFirst = 1089;
inline constexpr uint32_t kPresetSecond = 1090;
inline constexpr uint32_t kPresetThird = 1091;
inline constexpr uint32_t kPresetDecrease = 1095;
inline constexpr uint32_t kPresetIncrease = 1096;
inline constexpr uint32_t kPresetSlow = 1099;
inline constexpr uint32_t kPresetFast = 1100;

} // namespace ondrix::cmd
