#include "document/dialogs/track_assignment_dialog.h"

#include "controls/ui/tab_chain.h"
#include "document/dialogs/format_fields.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace ondrix {

CTrackAssignmentDialog::CTrackAssignmentDialog(const TrackAssignment& assignment, uint32_t sourceTracks,
                                               uint32_t documentTracks, QWidget* parent)
    : QDialog(parent), m_targets(TargetsOfSources(assignment, sourceTracks)),
      m_sourceTracks(std::clamp<uint32_t>(sourceTracks, 1, kMaxTracks)),
      m_documentTracks(std::clamp<uint32_t>(documentTracks, 1, kMaxTracks)) {
    setObjectName(QStringLiteral("TrackAssignmentDialog"));
    setWindowTitle(LoadQString(str::kTrackAssignmentTitle));
    m_source = new QSpinBox(this);
    m_source->setObjectName(QStringLiteral("SourceTrack"));
    m_source->setRange(1, int(m_sourceTracks));
    auto* sourceLabel = new QLabel(LoadQString(str::kAssignSourceLabel), this);
    sourceLabel->setBuddy(m_source);
    m_target = new QSpinBox(this);
    m_target->setObjectName(QStringLiteral("TargetTrack"));
    m_target->setRange(1, int(m_documentTracks));
    m_targetLabel = new QLabel(LoadQString(str::kAssignTargetLabel), this);
    m_targetLabel->setBuddy(m_target);
    m_discard = new QCheckBox(LoadQString(str::kDiscardTrackLabel), this);
    m_discard->setObjectName(QStringLiteral("Discard"));

    auto* grid = new QGridLayout;
    grid->addWidget(sourceLabel, 0, 0);
    grid->addWidget(m_source, 0, 1);
    grid->addWidget(m_targetLabel, 0, 2);
    grid->addWidget(m_target, 0, 3);
    grid->addWidget(m_discard, 1, 0, 1, 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddOkCancel(this, layout);
    SetTabChain({m_source, m_target, m_discard});

    ShowChoice();
    connect(m_source, &QSpinBox::valueChanged, this, [this] {
        StoreChoice();
        ShowChoice();
    });
    connect(m_target, &QSpinBox::valueChanged, this, [this] { StoreChoice(); });
    connect(m_discard, &QCheckBox::toggled, this, [this] {
        StoreChoice();
        UpdateTargetFields();
    });
    m_source->setFocus();
}

void CTrackAssignmentDialog::ShowChoice() {
    m_shown = m_source->value() - 1;
    const uint8_t target = m_targets[std::size_t(m_shown)];
    const bool discarded = target >= m_documentTracks;
    const QSignalBlocker blockTarget(m_target);
    const QSignalBlocker blockDiscard(m_discard);
    // a discarded track offers the track of its own number when it is taken back
    m_target->setValue(discarded ? std::min(m_shown + 1, int(m_documentTracks)) : target + 1);
    m_discard->setChecked(discarded);
    UpdateTargetFields();
}

void CTrackAssignmentDialog::StoreChoice() {
    m_targets[std::size_t(m_shown)] =
        m_discard->isChecked() ? kNoSourceTrack : uint8_t(m_target->value() - 1);
}

void CTrackAssignmentDialog::UpdateTargetFields() {
    const bool visible = !m_discard->isChecked();
    m_targetLabel->setVisible(visible);
    m_target->setVisible(visible);
}

TrackAssignment CTrackAssignmentDialog::GetAssignment() const {
    return AssignmentFromTargets(m_targets, m_sourceTracks, m_documentTracks);
}

} // namespace ondrix
