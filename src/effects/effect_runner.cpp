#include "effects/effect_runner.h"

#include "base/message_service.h"
#include "effects/distortion_curve.h"
#include "effects/echo.h"
#include "effects/envelope.h"
#include "effects/modulation_routines.h"
#include "effects/resample_routine.h"
#include "effects/reverse_routines.h"
#include "effects/volume_routines.h"
#include "process/undo_history.h"
#include "resources/string_ids.h"
#include "store/sample_store.h"

#include <algorithm>

namespace ondrix {

namespace {

constexpr EffectOutcome kFailed{false, 0, true};

/// The block and the store of one run.
struct Run {
    CSampleStore& store;
    const EffectRequest& request;
    int64_t first;
    int64_t last;

    /// One in-place run of a routine over the block.
    bool InPlace(ProcessRoutine routine, void* context) const {
        return store.Process(request.trackMask, first, last, true, 1, 1, false, routine, 0, context);
    }

    /// One length-changing run of the resampling routine over the block.
    bool Resampled(TempoRatio ratio) const {
        return store.Process(request.trackMask, first, last, true, ratio.numerator, ratio.denominator, false,
                             &ResampleRoutine, 0, nullptr);
    }
};

/// The ratio of a tempo function, identity for the others.
TempoRatio RatioOf(const EffectRequest& request, int64_t first, int64_t last) {
    const EffectSettings& s = *request.settings;
    if (request.kind == EffectKind::Velocity) {
        return VelocityRatio(s.velocity.speed);
    }
    if (request.kind == EffectKind::Stretch) {
        return StretchRatio(s.stretch.length, last - first + 1);
    }
    return {1, 1};
}

/// Whether every parameter of the function lies inside its range (settings edited by hand may not).
bool ParametersInRange(const EffectRequest& request) {
    bool inRange = true;
    VisitEffectParams(request.kind, *request.settings, [&](const ParamSpec& param, int32_t value) {
        inRange = inRange && param.Contains(value);
    });
    return inRange;
}

/// The driver run (or runs) of a function; false when it failed or was aborted.
bool RunFunction(const Run& run, const VolumeContext* maximised, CEchoCopy* echo) {
    const EffectSettings& s = *run.request.settings;
    CSampleStore& store = run.store;
    switch (run.request.kind) {
    case EffectKind::Volume: {
        auto context = VolumeContext::Uniform(s.volume.volume);
        return run.InPlace(&VolumeRoutine, &context);
    }
    case EffectKind::Maximise: {
        auto context = *maximised;
        return run.InPlace(&VolumeRoutine, &context);
    }
    case EffectKind::Silence:
        return run.InPlace(&SilenceRoutine, nullptr);
    case EffectKind::FadeIn:
    case EffectKind::FadeOut: {
        FadeContext context{run.request.kind == EffectKind::FadeIn};
        return run.InPlace(&FadeRoutine, &context);
    }
    case EffectKind::Dynamics: {
        DynamicsContext context{s.dynamics.dynamic};
        return run.InPlace(&DynamicsRoutine, &context);
    }
    case EffectKind::ZeroLine: {
        ZeroLineContext context{s.zeroLine.zeroAdjust};
        return run.InPlace(&ZeroLineRoutine, &context);
    }
    case EffectKind::Envelope: {
        EnvelopeContext context;
        context.points = s.envelope.points;
        std::stable_sort(
            context.points.begin(), context.points.end(),
            [](const EnvelopePoint& a, const EnvelopePoint& b) { return a.position < b.position; });
        CompleteEnvelope(context.points);
        context.level = s.envelope.level;
        return run.InPlace(&EnvelopeRoutine, &context);
    }
    case EffectKind::Tremolo:
    case EffectKind::CrossFade: {
        const bool tremolo = run.request.kind == EffectKind::Tremolo;
        ModulationContext context(tremolo ? s.tremolo : s.crossFade, store.GetSampleRate(),
                                  run.last - run.first);
        return run.InPlace(tremolo ? &TremoloRoutine : &CrossFadeRoutine, &context);
    }
    case EffectKind::Distort: {
        auto curve = CDistortionCurve::ForBits(uint8_t(s.distort.type), store.GetBitsPerSample(),
                                               s.distort.level, s.distort.depth);
        return run.InPlace(&DistortRoutine, &curve);
    }
    case EffectKind::Invert:
        return run.InPlace(&InvertRoutine, nullptr);
    case EffectKind::Reverse: {
        ReverseContext context;
        context.store = &store;
        context.tail = uint32_t((run.last + 1) * store.GetBlockAlign());
        return store.Process(run.request.trackMask, run.first, ReverseRunEnd(run.first, run.last), true, 1, 1,
                             false, &ReverseRoutine, 0, &context);
    }
    case EffectKind::Velocity:
    case EffectKind::Stretch:
        return run.Resampled(RatioOf(run.request, run.first, run.last));
    case EffectKind::Echo:
        return echo->Mix(store, run.first, s.echo,
                         run.request.echoDelayFrames >= 0 ? run.request.echoDelayFrames
                                                          : store.MsToFrames(s.echo.delay));
    }
    return false;
}

} // namespace

uint32_t CountEditedTracks(const uint32_t* trackMask, uint32_t tracks) noexcept {
    uint32_t count = 0;
    for (uint32_t t = 0; t < tracks && t < uint32_t(kMaxTracks); ++t) {
        count += !trackMask || trackMask[t] != 0 ? 1 : 0;
    }
    return count;
}

bool CrossFadeTracksFit(const uint32_t* trackMask, uint32_t tracks, bool report) {
    if (CountEditedTracks(trackMask, tracks) == 2) {
        return true;
    }
    if (report) {
        AskUser(str::kCrossFadeTracksText, MsgIcon::Stop, MsgButtons::Ok);
    }
    return false;
}

EffectOutcome RunEffect(CSampleStore& store, const EffectRequest& request, const UndoTarget& undo) {
    const int64_t frames = store.GetFrameCount();
    if (!request.settings || frames == 0 || request.firstFrame < 0 || request.firstFrame >= frames ||
        request.lastFrame < request.firstFrame || !ParametersInRange(request)) {
        return kFailed;
    }
    const Run run{store, request, request.firstFrame, std::min(request.lastFrame, frames - 1)};
    const EffectInfo& info = GetEffectInfo(request.kind);

    // Checks and runs that come before the undo state.
    if (request.kind == EffectKind::CrossFade &&
        !CrossFadeTracksFit(request.trackMask, store.GetTrackCount(), store.m_showErrors != 0)) {
        return kFailed;
    }
    // Runs that would change nothing keep no undo state and leave the modified flag.
    if (info.changesLength && RatioOf(request, run.first, run.last).IsIdentity()) {
        return {};
    }
    if (request.kind == EffectKind::Volume && request.settings->volume.volume == 100) {
        return {};
    }
    VolumeContext maximised;
    if (request.kind == EffectKind::Maximise) {
        PeakContext peaks;
        store.m_progressTextId = str::kMaximiseSearchText;
        if (!store.Process(request.trackMask, run.first, run.last, false, 1, 1, false, &PeakSearchRoutine, 0,
                           &peaks)) {
            return kFailed;
        }
        maximised = MaximiseFactors(peaks, store.GetBitsPerSample());
    }
    // The echo's copy of the block is made before the undo state, so a copy that cannot be made leaves
    // the document and its history as they were.
    CEchoCopy echo;
    if (request.kind == EffectKind::Echo &&
        !echo.Prepare(store, request.trackMask, run.first, run.last, request.tempStorage)) {
        return kFailed;
    }

    store.m_progressTextId = info.progressText;
    bool saved = false;
    if (undo.history) {
        const CUndoHistory::SaveResult result =
            undo.history->SaveUndoState(store, undo.undoCount, undo.clipboardPath);
        // an undo copy that failed or was aborted ends the command before anything is changed
        if (result == CUndoHistory::SaveResult::Failed) {
            return kFailed;
        }
        saved = result == CUndoHistory::SaveResult::Saved;
    }
    const uint32_t sizeBefore = store.GetDataSize();
    const bool ok = RunFunction(run, &maximised, &echo);
    // a run that changed the sound keeps its undo state; one that failed puts the history back
    if (saved && (ok || request.kind == EffectKind::Echo)) {
        undo.history->CommitUndoState();
    }
    if (request.kind == EffectKind::Echo) {
        // The echoes mixed so far stay whatever the mixes returned.
        return {true, store.GetDataSize() != sizeBefore ? kHintLengthChanged : kHintDataChanged, !ok};
    }
    if (!ok) {
        if (saved) {
            undo.history->DropNewestUndoState();
        }
        return kFailed;
    }
    return {true, info.changesLength ? kHintLengthChanged : kHintDataChanged};
}

} // namespace ondrix
