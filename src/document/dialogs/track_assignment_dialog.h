#pragma once

#include "process/clipboard.h"

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace ondrix {

/// Dialog 152 "Track Assignment": for each source track ("&Track") the document track it is loaded onto
/// ("load &onto track:") or "&Discard Track". It edits the inverse map, source track to document track.
class CTrackAssignmentDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog preset from an assignment of sourceTracks into documentTracks.
    CTrackAssignmentDialog(const TrackAssignment& assignment, uint32_t sourceTracks, uint32_t documentTracks,
                           QWidget* parent = nullptr);

    /// The assignment chosen, per document track (valid after OK).
    TrackAssignment GetAssignment() const;

    /// The source track number field.
    QSpinBox* SourceBox() const { return m_source; }
    /// The document track number field.
    QSpinBox* TargetBox() const { return m_target; }
    /// The discard check box.
    QCheckBox* DiscardBox() const { return m_discard; }

private:
    /// Shows the choice of the source track in the number field.
    void ShowChoice();
    /// Stores what the target fields show as the choice of the source track shown.
    void StoreChoice();
    /// Hides the target fields while the track is discarded.
    void UpdateTargetFields();

    SourceTargets m_targets;
    uint32_t m_sourceTracks;
    uint32_t m_documentTracks;
    int m_shown = 0;
    QSpinBox* m_source;
    QLabel* m_targetLabel;
    QSpinBox* m_target;
    QCheckBox* m_discard;
};

} // namespace ondrix
