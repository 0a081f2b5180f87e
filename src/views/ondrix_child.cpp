#include "views/ondrix_child.h"

#include "document/ondrix_doc.h"
#include "settings/core/settings.h"
#include "views/ondrix_view.h"
#include "views/sample_view.h"

#include <QCloseEvent>
#include <QSplitter>

namespace ondrix {

namespace {

constexpr int kSplitterId = 59648;
constexpr int kFullHeight = 32767;

} // namespace

COndrixChild::COndrixChild(std::unique_ptr<COndrixDoc> doc, QWidget* parent)
    : QMdiSubWindow(parent), m_doc(std::move(doc)) {
    setObjectName(QStringLiteral("DocumentWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("Splitter%1").arg(kSplitterId));
    m_splitter->setChildrenCollapsible(true);
    m_mixer = new COndrixView(m_doc.get(), m_splitter);
    m_sample = new CSampleView(m_doc.get(), m_splitter);
    const bool inverse = g_settings.sampleWindow.inverse != 0;
    const bool showSample = g_settings.sampleWindow.showSample != 0;
    if (inverse) {
        m_splitter->insertWidget(0, m_sample);
    }
    const int mixerHeight = showSample ? kMixerHeight : kFullHeight;
    const int sampleHeight = showSample ? kSampleHeight : 0;
    m_splitter->setSizes(inverse ? QList<int>{sampleHeight, mixerHeight}
                                 : QList<int>{mixerHeight, sampleHeight});
    m_splitter->setStretchFactor(inverse ? 0 : 1, 1);
    setWidget(m_splitter);
    m_activeView = showSample ? static_cast<CDocView*>(m_sample) : static_cast<CDocView*>(m_mixer);
    m_doc->m_onTitleChanged = [this] { UpdateTitle(); };
    m_doc->m_onCloseRequest = [this] { close(); };
    UpdateTitle();
}

COndrixChild::~COndrixChild() {
    if (!m_closed) {
        emit documentClosing(this);
    }
    // the views go before the document they show
    delete m_splitter;
    m_splitter = nullptr;
}

COndrixChild* COndrixChild::ChildOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* child = qobject_cast<COndrixChild*>(w)) {
            return child;
        }
    }
    return nullptr;
}

void COndrixChild::SetActiveView(CDocView* view) {
    m_activeView = view;
    if (auto* widget = dynamic_cast<QWidget*>(view)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void COndrixChild::UpdateTitle() {
    setWindowTitle(QString::fromStdString(m_doc->GetTitle()) + QStringLiteral("[*]"));
    setWindowModified(m_doc->IsModified());
}

void COndrixChild::closeEvent(QCloseEvent* event) {
    if (!m_doc->SaveModified()) {
        event->ignore();
        return;
    }
    m_closed = true;
    emit documentClosing(this);
    m_doc->OnCloseDocument();
    QMdiSubWindow::closeEvent(event);
}

} // namespace ondrix
