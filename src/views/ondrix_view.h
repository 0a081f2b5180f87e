#pragma once

#include "document/core/command_target.h"
#include "document/doc_view.h"

#include <QListWidget>

namespace ondrix {

/// The mixer area of a document window: one row per track with its number and name; the current
/// track is selected. It follows the update hints and changes the current track.
class COndrixView final : public QListWidget, public CDocView, public CCmdTarget {
    Q_OBJECT
public:
    /// A view of a document.
    explicit COndrixView(COndrixDoc* doc, QWidget* parent = nullptr);
    ~COndrixView() override;

    void OnUpdate(CDocView* sender, uint32_t hint, intptr_t data) override;
    CCmdTarget* GetCommandTarget() override { return this; }
    COndrixDoc* GetDocument() const override { return m_doc; }

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    /// Fills the rows from the store's tracks.
    void RebuildRows();
    /// Selects the current track's row.
    void ShowCurrentTrack();
    /// Makes a neighbouring track current.
    void StepTrack(int delta);

    COndrixDoc* m_doc;
    bool m_filling = false;
};

} // namespace ondrix
