#pragma once

#include "effects/dialogs/effect_preview.h"
#include "store/sample_store.h"

#include <array>
#include <cstdint>
#include <memory>

namespace ondrix {

class COndrixDoc;

/// The preview of a document's block: the first seconds (up to 10) of the block copied into a store in
/// memory, the function run over the copy, the copy played through the playback device of the settings.
/// The document's store, its undo history and its modified flag stay as they are.
class CDocumentEffectPreview final : public IEffectPreview {
public:
    /// The longest stretch previewed, in seconds.
    static constexpr int64_t kMaxSeconds = 10;

    /// A preview of the document's block on its edited tracks.
    explicit CDocumentEffectPreview(const COndrixDoc& doc) noexcept : m_doc(doc) {}
    ~CDocumentEffectPreview() override;
    CDocumentEffectPreview(const CDocumentEffectPreview&) = delete;
    CDocumentEffectPreview& operator=(const CDocumentEffectPreview&) = delete;

    bool Start(EffectKind kind, const EffectSettings& settings, int64_t echoDelayFrames) override;
    void Stop() noexcept override;
    bool IsPlaying() const noexcept override;

    /// The store that plays (null before the first start).
    const CSampleStore* GetStore() const noexcept { return m_store.get(); }

private:
    const COndrixDoc& m_doc;
    std::unique_ptr<CSampleStore> m_store;
};

} // namespace ondrix
