#include "document/core/enabling_rules.h"

#include "resources/command_ids.h"

namespace ondrix {

namespace {

constexpr uint32_t kMaxTracks = 32;

bool IsEffect(uint32_t id) noexcept {
    switch (id) {
    case cmd::kVolumeRaiseLower:
    case cmd::kMaximise:
    case cmd::kSilence:
    case cmd::kFadeIn:
    case cmd::kFadeOut:
    case cmd::kChangeDynamics:
    case cmd::kZeroLine:
    case cmd::kEcho:
    case cmd::kEnvelope:
    case cmd::kInvert:
    case cmd::kReverse:
    case cmd::kTremolo:
    case cmd::kCrossFade:
    case cmd::kDistort:
    case cmd::kVelocity:
    case cmd::kChangeLength:
        return true;
    default:
        return false;
    }
}

} // namespace

bool IsIdle(const DocumentState& state) noexcept {
    return !state.playing && !state.recording && !state.engineBusy;
}

EnableRule RuleOf(uint32_t id) noexcept {
    if (IsEffect(id)) {
        return EnableRule::Edit;
    }
    switch (id) {
    case cmd::kEditDelete:
    case cmd::kEditCopy:
    case cmd::kEditCut:
        return EnableRule::Edit;
    case cmd::kEditPaste:
    case cmd::kMix:
        return EnableRule::Paste;
    case cmd::kEditSelectAll:
    case cmd::kGoTo:
    case cmd::kSelectBlock:
        return EnableRule::Data;
    case cmd::kSampleParameters:
    case cmd::kWaveInformation:
    case cmd::kFileSave:
    case cmd::kFileSaveAs:
    case cmd::kSaveRaw:
    case cmd::kSaveStandardWave:
    case cmd::kFileSendMail:
        return EnableRule::Idle;
    case cmd::kInsertTrackAfter:
    case cmd::kInsertTrackBefore:
        return EnableRule::InsertTrack;
    case cmd::kDeleteTrack:
        return EnableRule::DeleteTrack;
    case cmd::kZoomAdapt:
        return EnableRule::ZoomAdapt;
    case cmd::kZoomFullDetail:
        return EnableRule::ZoomFull;
    case cmd::kZoomIntoBlock:
        return EnableRule::ZoomIntoBlock;
    case cmd::kSwitchPane:
        return EnableRule::Switch;
    case cmd::kEqualizer:
        return EnableRule::Never;
    default:
        return EnableRule::None;
    }
}

bool IsEnabledBy(EnableRule rule, const DocumentState& s) noexcept {
    switch (rule) {
    case EnableRule::Edit:
        return s.hasBlock && s.sampleShown && s.dataSize != 0 && IsIdle(s) && s.maskHasTrack;
    case EnableRule::Paste:
        return s.clipboardHasData && s.sampleShown && IsIdle(s);
    case EnableRule::Data:
        return s.dataSize != 0 && s.sampleShown && IsIdle(s);
    case EnableRule::Idle:
        return IsIdle(s);
    case EnableRule::InsertTrack:
        return s.tracks < kMaxTracks && IsIdle(s);
    case EnableRule::DeleteTrack:
        return s.tracks > 1 && IsIdle(s);
    case EnableRule::ZoomAdapt:
        return s.zoom != 0 && s.sampleShown;
    case EnableRule::ZoomFull:
        return s.zoom != 1 && s.sampleShown;
    case EnableRule::ZoomIntoBlock:
        return s.hasBlock && s.sampleShown;
    case EnableRule::Switch:
        return s.sampleShown;
    case EnableRule::Never:
        return false;
    case EnableRule::None:
        return true;
    }
    return true;
}

} // namespace ondrix
