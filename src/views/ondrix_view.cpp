#include "views/ondrix_view.h"

#include "document/ondrix_doc.h"
#include "document/track_mixer.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "settings/core/settings.h"
#include "views/mixer_strip.h"
#include "views/ondrix_child.h"

#include <QPainter>
#include <QScrollBar>
#include <QSvgRenderer>

#include <algorithm>

namespace ondrix {

COndrixView::COndrixView(COndrixDoc* doc, QWidget* parent) : QAbstractScrollArea(parent), m_doc(doc) {
    setObjectName(QStringLiteral("MixerView"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Button);
    viewport()->setAutoFillBackground(true);
    doc->AddView(this);
    MapCommand(cmd::kSwitchPane, [this] {
        m_doc->UpdateAllViews(this, HINT_ACTIVATE_OTHER,
                              reinterpret_cast<intptr_t>(static_cast<CDocView*>(this)));
    });
    MapCommand(cmd::kPreviousTrack, [this] { StepTrack(-1); });
    MapCommand(cmd::kNextTrack, [this] { StepTrack(1); });
    RebuildStrips();
}

COndrixView::~COndrixView() {
    m_doc->RemoveView(this);
}

CMixerStrip* COndrixView::Strip(int track) const {
    return track >= 0 && track < m_count ? m_strips[std::size_t(track)] : nullptr;
}

bool COndrixView::RebuildStrips() {
    const int tracks = int(std::min<uint32_t>(m_doc->GetStore()->GetTrackCount(), 32));
    for (int i = tracks; i < m_count; ++i) {
        delete m_strips[std::size_t(i)];
        m_strips[std::size_t(i)] = nullptr;
    }
    for (int i = m_count; i < tracks; ++i) {
        auto* strip = new CMixerStrip(uint32_t(i), viewport());
        ConnectStrip(strip);
        strip->show();
        m_strips[std::size_t(i)] = strip;
    }
    m_count = tracks;
    FillStrips();
    UpdateScrollRanges();
    LayoutStrips();
    if (m_count > 0 && m_doc->GetCurrentTrack() >= uint32_t(m_count)) {
        m_doc->SetCurrentTrack(uint32_t(m_count - 1));
        m_strips[std::size_t(m_count - 1)]->setFocus(Qt::OtherFocusReason);
    }
    viewport()->update();
    return true;
}

void COndrixView::FillStrips() {
    const CSampleStore* store = m_doc->GetStore();
    const MixerBlock& mixer = store->Mixer();
    for (int i = 0; i < m_count; ++i) {
        CMixerStrip* strip = m_strips[std::size_t(i)];
        strip->SetVolume(mixer.volume[i]);
        strip->SetBalance(mixer.balance[i]);
        strip->SetName(QString::fromStdString(store->m_trackNames[std::size_t(i)]));
        strip->SetPlayOff(store->GetPlayOff(i));
        strip->SetShown((store->m_trackFlags[std::size_t(i)] & TRACK_SHOWN) != 0);
        strip->SetEdited((store->m_trackFlags[std::size_t(i)] & TRACK_EDITED) != 0);
        strip->EnableBalance(mixer.stereo != 0);
        strip->UseSampleColours(g_settings.sampleWindow.useSampleColor != 0);
    }
}

void COndrixView::ConnectStrip(CMixerStrip* strip) {
    // each report names its track; a track the sound no longer has is ignored by the mixer
    connect(strip, &CMixerStrip::VolumeBalanceChanged, this, [this](uint32_t track, int volume, int balance) {
        CTrackMixer(*m_doc, this).SetVolumeBalance(track, volume, balance);
    });
    connect(strip, &CMixerStrip::NameChanged, this, [this](uint32_t track, const QString& name) {
        CTrackMixer(*m_doc, this).SetName(track, name.toStdString());
    });
    connect(strip, &CMixerStrip::PlayOffChanged, this,
            [this](uint32_t track, bool off) { CTrackMixer(*m_doc, this).SetPlayOff(track, off); });
    connect(strip, &CMixerStrip::ShownChanged, this,
            [this](uint32_t track, bool shown) { CTrackMixer(*m_doc, this).SetShown(track, shown); });
    connect(strip, &CMixerStrip::EditedChanged, this,
            [this](uint32_t track, bool edited) { CTrackMixer(*m_doc, this).SetEdited(track, edited); });
    connect(strip, &CMixerStrip::Activated, this, [this](uint32_t track) {
        if (track < uint32_t(m_count)) {
            m_doc->SetCurrentTrack(track);
        }
    });
}

void COndrixView::UpdateScrollRanges() {
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, kStripPitch * m_count - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setRange(0,
                                  m_count > 0 ? std::max(0, CMixerStrip::kMinHeight - client.height()) : 0);
    verticalScrollBar()->setPageStep(client.height());
}

void COndrixView::LayoutStrips() {
    const QSize client = viewport()->size();
    const int x0 = horizontalScrollBar()->value();
    const int y = client.height() < CMixerStrip::kMinHeight ? -verticalScrollBar()->value() : 0;
    const int height = std::max(client.height(), CMixerStrip::kMinHeight);
    for (int i = 0; i < m_count; ++i) {
        m_strips[std::size_t(i)]->setGeometry(kStripPitch * i - x0, y, CMixerStrip::kWidth, height);
    }
}

QRect COndrixView::LogoRect() const {
    const QSize client = viewport()->size();
    const int used = kStripPitch * m_count;
    if (used + kLogoWidth > client.width()) {
        return {};
    }
    return {(client.width() - used - kLogoWidth) / 2 + used, (client.height() - kLogoHeight) / 2, kLogoWidth,
            kLogoHeight};
}

void COndrixView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int x0 = horizontalScrollBar()->value();
    const int height = viewport()->height();
    for (int i = 0; i < m_count; ++i) {
        // a raised groove: highlight, face, shadow
        const int x = CMixerStrip::kWidth + kStripPitch * i - x0;
        painter.fillRect(x, 0, 1, height, palette().color(QPalette::Light));
        painter.fillRect(x + 1, 0, 1, height, palette().color(QPalette::Button));
        painter.fillRect(x + 2, 0, 1, height, palette().color(QPalette::Dark));
    }
    const QRect logo = LogoRect();
    if (!logo.isEmpty()) {
        QSvgRenderer(QStringLiteral(":/icons/mixer_logo.svg")).render(&painter, QRectF(logo));
    }
}

void COndrixView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
    LayoutStrips();
}

void COndrixView::scrollContentsBy(int, int) {
    LayoutStrips();
    viewport()->update();
}

void COndrixView::ScrollIntoView(int track) {
    const int left = kStripPitch * track - horizontalScrollBar()->value();
    const int right = left + CMixerStrip::kWidth;
    if (left < 0) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + left);
    } else if (right > viewport()->width()) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + right - viewport()->width());
    }
}

void COndrixView::StepTrack(int delta) {
    if (m_count == 0) {
        return;
    }
    const int current = int(std::min<uint32_t>(m_doc->GetCurrentTrack(), uint32_t(m_count - 1)));
    const CMixerStrip* old = Strip(current);
    const int control = old ? old->FocusedControl() : -1;
    // the steps wrap around: before the first track comes the last, after the last the first
    const int track = (current + delta + m_count) % m_count;
    m_doc->SetCurrentTrack(uint32_t(track));
    ScrollIntoView(track);
    m_strips[std::size_t(track)]->FocusControl(control);
}

void COndrixView::OnUpdate(CDocView* sender, uint32_t hint, intptr_t) {
    switch (hint) {
    case HINT_TRACKS:
    case HINT_NEW_SOUND:
    case HINT_REBUILD:
        RebuildStrips();
        break;
    case HINT_LENGTH:
    case HINT_DATA:
        // an undo may have swapped in another store: show the mixer and flags that are played and saved
        FillStrips();
        break;
    case HINT_STEREO:
        for (int i = 0; i < m_count; ++i) {
            m_strips[std::size_t(i)]->EnableBalance(m_doc->GetStore()->GetStereo());
        }
        break;
    case HINT_ACTIVATE_OTHER:
        COndrixChild::ActivateOnRequest(this, sender);
        break;
    default:
        break;
    }
}

void COndrixView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (auto* child = COndrixChild::ChildOf(this)) {
        child->NoteActiveView(this);
    }
    if (m_count == 0) {
        return;
    }
    if (m_doc->GetCurrentTrack() >= uint32_t(m_count)) {
        m_doc->SetCurrentTrack(0);
    }
    m_strips[m_doc->GetCurrentTrack()]->setFocus(Qt::OtherFocusReason);
}

} // namespace ondrix
