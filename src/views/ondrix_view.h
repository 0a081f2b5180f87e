#pragma once

#include "document/core/command_target.h"
#include "document/doc_view.h"

#include <QAbstractScrollArea>

#include <array>
#include <cstdint>

namespace ondrix {

class CMixerStrip;

/// The mixer area of a document window: one CMixerStrip per track, 123 pixels apart with separators
/// between them and the logo in the free part, scrolling horizontally when they do not fit. Changes made
/// in a strip are written to the sound through the document; the update hints bring the strips back in
/// line with the sound.
class COndrixView final : public QAbstractScrollArea, public CDocView, public CCmdTarget {
    Q_OBJECT
public:
    static constexpr int kStripPitch = 123; ///< strip width and separator
    static constexpr int kLogoWidth = 76;
    static constexpr int kLogoHeight = 58;

    /// A view of a document.
    explicit COndrixView(COndrixDoc* doc, QWidget* parent = nullptr);
    ~COndrixView() override;

    void OnUpdate(CDocView* sender, uint32_t hint, intptr_t data) override;
    CCmdTarget* GetCommandTarget() override { return this; }
    COndrixDoc* GetDocument() const override { return m_doc; }

    /// The number of strips.
    int StripCount() const noexcept { return m_count; }
    /// The strip of a track, or null.
    CMixerStrip* Strip(int track) const;
    /// Where the logo is drawn in the viewport; empty when the strips leave no room for it.
    QRect LogoRect() const;
    /// Makes the previous (-1) or next (+1) track current, wrapping around, and scrolls its strip into view.
    void StepTrack(int delta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    /// Creates and removes strips to match the sound and fills them; false when a strip was not made.
    bool RebuildStrips();
    /// Shows the sound's mixer, names and flags in every strip without reporting.
    void FillStrips();
    /// Places the strips for the client size and the scroll position.
    void LayoutStrips();
    /// Sets the scroll ranges for the strips.
    void UpdateScrollRanges();
    /// Connects a new strip's reports to the document.
    void ConnectStrip(CMixerStrip* strip);
    /// Scrolls horizontally so that a strip is fully visible.
    void ScrollIntoView(int track);

    COndrixDoc* m_doc;
    int m_count = 0;
    std::array<CMixerStrip*, 32> m_strips{};
};

} // namespace ondrix
