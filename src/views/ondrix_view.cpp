#include "views/ondrix_view.h"

#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "views/ondrix_child.h"

namespace ondrix {

COndrixView::COndrixView(COndrixDoc* doc, QWidget* parent) : QListWidget(parent), m_doc(doc) {
    setObjectName(QStringLiteral("MixerView"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    doc->AddView(this);
    MapCommand(cmd::kSwitchPane, [this] {
        m_doc->UpdateAllViews(this, HINT_ACTIVATE_OTHER,
                              reinterpret_cast<intptr_t>(static_cast<CDocView*>(this)));
    });
    MapCommand(cmd::kPreviousTrack, [this] { StepTrack(-1); });
    MapCommand(cmd::kNextTrack, [this] { StepTrack(1); });
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_filling && row >= 0) {
            m_doc->SetCurrentTrack(uint32_t(row));
        }
    });
    RebuildRows();
}

COndrixView::~COndrixView() {
    m_doc->RemoveView(this);
}

void COndrixView::RebuildRows() {
    m_filling = true;
    clear();
    const CSampleStore* store = m_doc->GetStore();
    for (uint32_t t = 0; t < store->GetTrackCount(); ++t) {
        QString text = LoadQString(str::kTrackLabel).arg(t + 1);
        if (!store->m_trackNames[t].empty()) {
            text += QStringLiteral(": ") + QString::fromStdString(store->m_trackNames[t]);
        }
        addItem(text);
    }
    m_filling = false;
    ShowCurrentTrack();
}

void COndrixView::ShowCurrentTrack() {
    m_filling = true;
    setCurrentRow(int(m_doc->GetCurrentTrack()));
    m_filling = false;
}

void COndrixView::StepTrack(int delta) {
    if (count() == 0) {
        return;
    }
    // the steps wrap around: before the first track comes the last, after the last the first
    const int track = (int(m_doc->GetCurrentTrack()) + delta + count()) % count();
    m_doc->SetCurrentTrack(uint32_t(track));
    ShowCurrentTrack();
}

void COndrixView::OnUpdate(CDocView* sender, uint32_t hint, intptr_t) {
    switch (hint) {
    case HINT_TRACKS:
    case HINT_NEW_SOUND:
    case HINT_REBUILD:
        RebuildRows();
        break;
    case HINT_ACTIVATE_OTHER:
        COndrixChild::ActivateOnRequest(this, sender);
        break;
    default:
        ShowCurrentTrack();
        break;
    }
}

void COndrixView::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    // the current track may have changed in the sample window meanwhile
    if (m_doc->GetCurrentTrack() >= uint32_t(count()) && count() > 0) {
        m_doc->SetCurrentTrack(0);
    }
    ShowCurrentTrack();
    if (auto* child = COndrixChild::ChildOf(this)) {
        child->NoteActiveView(this);
    }
}

} // namespace ondrix
