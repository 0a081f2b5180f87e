#include "document/dialogs/position_dialogs.h"

#include "controls/ui/spin_buttons.h"
#include "controls/ui/tab_chain.h"
#include "controls/ui/time_edit.h"
#include "document/dialogs/format_fields.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"
#include "store/sample_store.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace ondrix {

namespace {

/// The time format of the settings.
TimeFormat SettingsFormat() {
    TimeFormat format;
    format.index = g_settings.sampleWindow.timeFmt;
    format.frameRate = g_settings.sampleWindow.fps;
    return format;
}

/// The last frame of a store (0 when it is empty).
int64_t LastFrame(const CSampleStore& store) {
    return std::max<int64_t>(int64_t(store.GetFrameCount()) - 1, 0);
}

/// A time edit with its spin buttons and label in a grid row, limited to the store's frames.
CTimeEdit* AddTimeRow(QGridLayout* grid, int row, uint32_t labelId, const CSampleStore& store,
                      const QString& name, QWidget* parent) {
    auto* edit = new CTimeEdit(parent);
    edit->setObjectName(name);
    edit->Attach(SettingsFormat());
    const int64_t last = LastFrame(store);
    const int64_t shownLast = edit->GetFormat().index == TIMEFMT_SAMPLES ? last : store.FramesToMs(last);
    edit->SetRange(0, uint32_t(std::clamp<int64_t>(shownLast, 0, UINT32_MAX)));
    auto* spin = new CSpinButtons(parent);
    edit->SetBuddy(spin);
    auto* label = new QLabel(LoadQString(labelId), parent);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(spin, row, 2);
    return edit;
}

} // namespace

CGoToDialog::CGoToDialog(const CSampleStore& store, int64_t cursor, QWidget* parent)
    : QDialog(parent), m_store(store) {
    setObjectName(QStringLiteral("GoToDialog"));
    setWindowTitle(LoadQString(str::kGoToTitle));
    auto* grid = new QGridLayout;
    m_position = AddTimeRow(grid, 0, str::kGoToLabel, store, QStringLiteral("Position"), this);
    m_position->SetFrames(std::clamp<int64_t>(cursor, 0, LastFrame(store)), store);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddOkCancel(this, layout);
    m_position->setFocus();
}

int64_t CGoToDialog::GetFrame() const {
    return std::clamp<int64_t>(m_position->GetFrames(m_store), 0, LastFrame(m_store));
}

void CGoToDialog::accept() {
    if (m_position->Validate(true)) {
        QDialog::accept();
    }
}

CDefineBlockDialog::CDefineBlockDialog(const CSampleStore& store, int64_t cursor, int64_t anchor,
                                       QWidget* parent)
    : QDialog(parent), m_store(store) {
    setObjectName(QStringLiteral("DefineBlockDialog"));
    setWindowTitle(LoadQString(str::kDefineBlockTitle));
    auto* grid = new QGridLayout;
    m_from = AddTimeRow(grid, 0, str::kBlockFromLabel, store, QStringLiteral("From"), this);
    m_to = AddTimeRow(grid, 1, str::kBlockToLabel, store, QStringLiteral("To"), this);
    m_deselect = new QCheckBox(LoadQString(str::kDeselectAllLabel), this);
    m_deselect->setObjectName(QStringLiteral("DeselectAll"));
    grid->addWidget(m_deselect, 2, 0, 1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddOkCancel(this, layout);
    SetTabChain({m_from, m_to, m_deselect});

    const bool noBlock = cursor == -1 || anchor == -1;
    const int64_t last = LastFrame(store);
    int64_t from = std::clamp<int64_t>(cursor, 0, last);
    int64_t to = std::clamp<int64_t>(anchor, 0, last);
    if (to < from) {
        std::swap(from, to);
    }
    m_from->SetFrames(noBlock ? 0 : from, store);
    m_to->SetFrames(noBlock ? 0 : to, store);
    m_deselect->setChecked(noBlock);
    m_from->setEnabled(!noBlock);
    m_to->setEnabled(!noBlock);
    connect(m_deselect, &QCheckBox::toggled, this, &CDefineBlockDialog::OnDeselectToggled);
    (noBlock ? static_cast<QWidget*>(m_deselect) : m_from)->setFocus();
}

void CDefineBlockDialog::OnDeselectToggled(bool checked) {
    m_from->setEnabled(!checked);
    m_to->setEnabled(!checked);
    if (!checked) {
        m_from->SetFrames(0, m_store);
        m_to->SetFrames(LastFrame(m_store), m_store);
    }
}

int64_t CDefineBlockDialog::FrameOf(const CTimeEdit* edit) const {
    const int64_t last = LastFrame(m_store);
    // the largest value the unit can show stands for the last frame itself
    if (edit->IsEdited() && edit->GetValue() >= edit->GetMaximum()) {
        return last;
    }
    return std::clamp<int64_t>(edit->GetFrames(m_store), 0, last);
}

DefinedBlock CDefineBlockDialog::GetBlock() const {
    if (m_deselect->isChecked()) {
        return {};
    }
    DefinedBlock block{FrameOf(m_from), FrameOf(m_to)};
    if (block.last < block.first) {
        std::swap(block.first, block.last);
    }
    return block;
}

void CDefineBlockDialog::accept() {
    if (m_deselect->isChecked() || (m_from->Validate(true) && m_to->Validate(true))) {
        QDialog::accept();
    }
}

} // namespace ondrix
