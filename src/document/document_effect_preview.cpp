#include "document/document_effect_preview.h"

#include "document/ondrix_doc.h"
#include "effects/effect_runner.h"
#include "settings/core/settings.h"

#include <algorithm>

namespace ondrix {

CDocumentEffectPreview::~CDocumentEffectPreview() {
    Stop();
}

bool CDocumentEffectPreview::Start(EffectKind kind, const EffectSettings& settings, int64_t echoDelayFrames) {
    Stop();
    CSampleStore& sound = *m_doc.GetStore();
    int32_t first = 0;
    int32_t last = 0;
    m_doc.GetBlock(first, last);
    const int64_t limit = int64_t(sound.GetSampleRate()) * kMaxSeconds;
    const int64_t end = std::min<int64_t>(last, first + limit - 1);

    // a copy of every track of the stretch, so the edited ones keep their places and the mixer applies
    auto copy = std::make_unique<CSampleStore>();
    copy->m_showErrors = sound.m_showErrors;
    if (!copy->Create(STORE_MEMORY, "", sound.GetBitsPerSample(), sound.GetTrackCount(),
                      sound.GetSampleRate(), sound.GetStereo()) ||
        !sound.CopyBlock(nullptr, first, end, copy.get())) {
        return false;
    }
    copy->SetMixer(sound.Mixer());
    for (uint32_t t = 0; t < sound.GetTrackCount(); ++t) {
        copy->SetPlayOff(int(t), sound.GetPlayOff(int(t)));
    }
    const auto mask = m_doc.GetTrackMask();
    EffectRequest request;
    request.kind = kind;
    request.settings = &settings;
    request.trackMask = mask.data();
    request.firstFrame = 0;
    request.lastFrame = end - first;
    request.tempStorage = {STORE_MEMORY, ""};
    request.echoDelayFrames = echoDelayFrames;
    const EffectOutcome outcome = RunEffect(*copy, request, UndoTarget{});
    if (outcome.failed) {
        return false;
    }
    m_store = std::move(copy);
    return m_store->StartPlayback(g_settings.playBack.port, uint32_t(g_settings.playBack.buffer), 0, -1,
                                  false, nullptr);
}

void CDocumentEffectPreview::Stop() noexcept {
    if (m_store) {
        m_store->StopAudio();
    }
}

bool CDocumentEffectPreview::IsPlaying() const noexcept {
    return m_store && m_store->GetAudioState() != 0;
}

} // namespace ondrix
