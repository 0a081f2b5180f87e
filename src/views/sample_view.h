#pragma once

#include "document/core/command_target.h"
#include "document/doc_view.h"

#include <QTimer>
#include <QWidget>

#include <vector>

namespace ondrix {

/// The sample window of a document window: one lane per shown track with a coarse waveform, the
/// block and the cursor, and the sound's length. It follows the update hints, keeps the document's
/// sample-window flag, selects and zooms as the hints ask, and moves the cursor along while playing.
class CSampleView final : public QWidget, public CDocView, public CCmdTarget {
    Q_OBJECT
public:
    /// A view of a document.
    explicit CSampleView(COndrixDoc* doc, QWidget* parent = nullptr);
    ~CSampleView() override;

    void OnUpdate(CDocView* sender, uint32_t hint, intptr_t data) override;
    CCmdTarget* GetCommandTarget() override { return this; }
    COndrixDoc* GetDocument() const override { return m_doc; }

    /// The tracks shown, one per lane, in lane order.
    const std::vector<uint32_t>& GetLaneTracks() const noexcept { return m_laneTracks; }
    /// The text the view shows about the sound's length.
    QString GetLengthText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    /// Collects the shown tracks and the document's sample-window flag.
    void RebuildLanes();
    /// Makes the lane delta steps from the current track's lane current, wrapping around at both ends.
    void StepLane(int delta);
    /// Tells the document whether the sample window is shown.
    void UpdateShownFlag();
    /// The frame at a column.
    int64_t FrameAt(int x) const;
    /// The column of a frame.
    int ColumnOf(int64_t frame) const;
    /// Every 100 ms: the cursor follows playback and the status fields show the position.
    void OnFollowTimer();

    COndrixDoc* m_doc;
    std::vector<uint32_t> m_laneTracks;
    QTimer m_followTimer;
    bool m_wasBusy = false;
};

} // namespace ondrix
