#include "app/main_frame.h"

#include "app/command_line.h"
#include "app/focus_return.h"
#include "app/mixer_launcher.h"
#include "app/ondrix_app.h"
#include "app/progress_bar.h"
#include "app/value_event.h"
#include "app/volume_bar.h"
#include "base/progress.h"
#include "document/dialogs/cd_playback_dialog.h"
#include "document/dialogs/midi_accompaniment_dialog.h"
#include "document/doc_view.h"
#include "document/ondrix_doc.h"
#include "document/track_mixer.h"
#include "resources/command_ids.h"
#include "resources/menu_layout.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "store/sample_store.h"
#include "views/ondrix_child.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace ondrix {

namespace {

/// The event of a posted command line.
constexpr QEvent::Type kCommandLineEvent = QEvent::Type(QEvent::User + 0x0B00);

} // namespace

CMainFrame::CMainFrame(COndrixApp* app) : m_app(app) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(LoadQString(str::kProductName));
    setWindowIcon(QIcon(QStringLiteral(":/icons/ondrix.svg")));
    setAcceptDrops(true);
    new CFocusReturn(this);
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    m_statusBar = new CProgressBar(this);
    setStatusBar(m_statusBar);
    m_mixer = std::make_unique<CMixerLauncher>();
    const auto documents = [this] {
        std::vector<COndrixDoc*> docs;
        for (COndrixChild* child : Children()) {
            docs.push_back(child->GetDocument());
        }
        return docs;
    };
    m_transport = std::make_unique<CTransport>(documents, [this]() -> COndrixDoc* {
        COndrixChild* child = ActiveChild();
        return child ? child->GetDocument() : nullptr;
    });
    m_actions = std::make_unique<CActionRegistry>(
        this, [this] { return Route(); }, [this] { return m_statusBar->IsActive(); },
        [this] { return WindowList(); });
    m_actions->AddMenuTexts(MainFrameMenu());
    m_actions->AddMenuTexts(DocumentMenu());
    m_bars = std::make_unique<CToolBars>(this, *m_actions);
    MapFrameCommands();
    SetShortcuts(BuiltInAccelTable());
    BuildMenuBar();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnActiveChildChanged);
    connect(m_statusBar, &CProgressBar::progressEnded, m_actions.get(), &CActionRegistry::OperationEnded);
    connect(m_transport.get(), &CTransport::stateChanged, m_actions.get(),
            &CActionRegistry::UpdateCommandStates);
    connect(m_transport.get(), &CTransport::levelsChanged, VolumeBar(), &CVolumeBar::ShowLevels);
    connect(m_transport.get(), &CTransport::meteringStarted, VolumeBar(), &CVolumeBar::ClearClip);
    connect(VolumeBar(), &CVolumeBar::mainVolumeChanged, this, [this](int left, int right) {
        if (COndrixChild* child = ActiveChild()) {
            CTrackMixer(*child->GetDocument(), nullptr).SetMainVolume(left, right);
        }
    });
    RegisterProgressDisplay(kStatusBarWindowId, m_statusBar);
    resize(900, 600);
}

CMainFrame::~CMainFrame() {
    m_mdiArea->disconnect(this);
    RegisterProgressDisplay(kStatusBarWindowId, nullptr);
    // document windows go first: their stores stop playing before the transport forgets them
    for (COndrixChild* child : Children()) {
        delete child;
    }
}

void CMainFrame::MapFrameCommands() {
    const auto barToggle = [this](uint32_t id, QToolBar* bar) {
        MapCommand(
            id, [this, bar] { m_bars->Toggle(bar); }, [bar](CCmdUI& ui) { ui.SetCheck(!bar->isHidden()); });
    };
    barToggle(cmd::kViewToolbar, StandardBar());
    barToggle(cmd::kViewPlayBar, PlayBar());
    barToggle(cmd::kViewVolumeBar, VolumeBar());
    MapCommand(
        cmd::kViewStatusBar, [this] { m_statusBar->setVisible(m_statusBar->isHidden()); },
        [this](CCmdUI& ui) { ui.SetCheck(!m_statusBar->isHidden()); });
    MapCommand(
        cmd::kAdaptBars,
        [this] {
            g_settings.desktop.recalcBars = g_settings.desktop.recalcBars ? 0 : 1;
            if (g_settings.desktop.recalcBars) {
                ArrangeStandard();
            }
        },
        [](CCmdUI& ui) { ui.SetCheck(g_settings.desktop.recalcBars != 0); });
    MapCommand(cmd::kStandardBars, [this] { ArrangeStandard(); });
    MapCommand(cmd::kMidiAccompaniment, [this] { CMidiAccompanimentDialog(g_settings, this).exec(); });
    MapCommand(cmd::kCdPlayer, [this] { CCdPlaybackDialog(g_settings, this).exec(); });
    MapCommand(
        cmd::kMixer, [this] { m_mixer->Toggle(); },
        [this](CCmdUI& ui) {
            ui.Enable(m_mixer->IsAvailable());
            ui.SetCheck(m_mixer->IsRunning());
        });
    MapCommand(cmd::kWindowCascade, [this] { m_mdiArea->cascadeSubWindows(); });
    MapCommand(cmd::kWindowTileHorz, [this] { m_mdiArea->tileSubWindows(); });
    MapCommand(cmd::kWindowTileVert, [this] { m_mdiArea->tileSubWindows(); });
    MapCommand(cmd::kWindowArrange, [this] { m_mdiArea->tileSubWindows(); });
}

// --- menus and routing ---

void CMainFrame::BuildMenuBar() {
    const bool document = !m_mdiArea->subWindowList().isEmpty();
    m_actions->BuildMenus(menuBar(), document ? DocumentMenu() : MainFrameMenu());
}

std::vector<WindowListEntry> CMainFrame::WindowList() const {
    std::vector<WindowListEntry> entries;
    const COndrixChild* active = ActiveChild();
    for (COndrixChild* child : Children()) {
        entries.push_back({QString::fromStdString(child->GetDocument()->GetTitle()), child == active,
                           [this, child] { m_mdiArea->setActiveSubWindow(child); }});
    }
    return entries;
}

std::vector<CCmdTarget*> CMainFrame::Route() const {
    std::vector<CCmdTarget*> route;
    if (COndrixChild* child = ActiveChild()) {
        if (CDocView* view = child->GetActiveView()) {
            route.push_back(view->GetCommandTarget());
        }
        route.push_back(child->GetDocument());
        for (CCmdTarget* commands : child->GetDocument()->CommandTargets()) {
            route.push_back(commands);
        }
        route.push_back(child);
    }
    route.push_back(const_cast<CMainFrame*>(this));
    route.push_back(m_transport.get());
    route.push_back(m_app);
    return route;
}

// --- windows ---

void CMainFrame::AddChild(COndrixChild* child) {
    m_mdiArea->addSubWindow(child);
    connect(child, &COndrixChild::documentClosing, this,
            [this](COndrixChild* closing) { m_transport->ForgetDocument(closing->GetDocument()); });
    connect(child, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, [this] {
            BuildMenuBar();
            UpdateCommandStates();
        });
    });
    child->resize(std::max(480, m_mdiArea->width() * 3 / 4), std::max(300, m_mdiArea->height() * 3 / 4));
    child->show();
    m_mdiArea->setActiveSubWindow(child);
    BuildMenuBar();
    child->GetDocument()->UpdateStatus(0);
    UpdateCommandStates();
}

void CMainFrame::OnActiveChildChanged() {
    BuildMenuBar();
    COndrixChild* active = ActiveChild();
    // the main volume shown is the active sound's; with no document window it cannot be moved
    VolumeBar()->EnableMainVolume(active != nullptr);
    if (active) {
        const MixerBlock& mixer = active->GetDocument()->GetStore()->Mixer();
        VolumeBar()->SetMainVolume(mixer.mainLeft, mixer.mainRight);
        active->GetDocument()->UpdateStatus(0);
    } else if (m_mdiArea->subWindowList().isEmpty() && IsStatusAvailable()) {
        for (int field = 1; field <= 7; ++field) {
            SetStatusText(field, {});
        }
    }
    UpdateCommandStates();
}

COndrixChild* CMainFrame::ActiveChild() const {
    return qobject_cast<COndrixChild*>(m_mdiArea->currentSubWindow());
}

std::vector<COndrixChild*> CMainFrame::Children() const {
    std::vector<COndrixChild*> children;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* child = qobject_cast<COndrixChild*>(window)) {
            children.push_back(child);
        }
    }
    return children;
}

// --- document host ---

bool CMainFrame::IsStatusAvailable() const {
    return m_statusBar && !m_statusBar->IsActive();
}

void CMainFrame::SetStatusText(int field, const std::string& text) {
    if (field >= 1 && field < CProgressBar::kPaneCount) {
        m_statusBar->SetPaneText(field, QString::fromStdString(text));
    }
}

bool CMainFrame::ClipboardHasData() const {
    return m_app && m_app->ClipboardHasData();
}

CClipboard* CMainFrame::GetClipboard() {
    return m_app ? &m_app->GetClipboard() : nullptr;
}

// --- command line ---

void CMainFrame::customEvent(QEvent* event) {
    if (event->type() != kCommandLineEvent) {
        QMainWindow::customEvent(event);
        return;
    }
    const QString& text = static_cast<CValueEvent<QString>*>(event)->Get();
    if (m_statusBar->IsActive()) {
        PostCommandLine(text); // a second instance spoke while an operation runs: try again after it
        return;
    }
    ProcessCommandLine(text);
}

void CMainFrame::PostCommandLine(const QString& commandLine) {
    QCoreApplication::postEvent(this, new CValueEvent<QString>(kCommandLineEvent, commandLine));
}

void CMainFrame::ProcessCommandLine(const QString& commandLine) {
    const CommandLine line = ParseCommandLine(commandLine);
    if (line.empty) {
        return;
    }
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
    if (line.action == CommandLine::Quit) {
        QTimer::singleShot(0, this, [this] { close(); });
        return;
    }
    if (line.file.isEmpty() && !line.internalWave) {
        return;
    }
    const OpenKind kind = line.internalWave ? OpenKind::Internal : OpenKind::Wave;
    if (!m_app->OpenDocumentFile(line.file.toStdString(), kind)) {
        return;
    }
    if (line.action == CommandLine::Play) {
        PostCommand(cmd::kPlayStart);
    } else if (line.action == CommandLine::Record) {
        PostCommand(cmd::kRecordStart);
    }
}

bool CMainFrame::OpenTakeDocument(std::unique_ptr<CSampleStore> take) {
    if (!m_app) {
        return false;
    }
    auto doc = std::make_unique<COndrixDoc>(this);
    doc->AdoptTake(std::move(take));
    m_app->AddDocumentWindow(std::move(doc));
    return true;
}

// --- window events ---

bool CMainFrame::SaveAllModified() {
    for (COndrixChild* child : Children()) {
        if (!child->GetDocument()->SaveModified()) {
            return false;
        }
    }
    return true;
}

void CMainFrame::CloseAllChildren() {
    for (COndrixChild* child : Children()) {
        child->GetDocument()->SetModifiedFlag(false); // asked before
        child->close();
    }
}

bool CMainFrame::CloseAllDocuments() {
    if (m_statusBar->IsActive() || !SaveAllModified()) {
        return false;
    }
    CloseAllChildren();
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_statusBar->IsActive()) {
        event->ignore();
        return;
    }
    if (!SaveAllModified()) {
        event->ignore();
        return;
    }
    if (m_app) {
        m_app->SaveSettings();
    }
    m_mixer->Close();
    CloseAllChildren();
    event->accept();
    emit frameClosed();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            m_app->OpenDocumentFile(url.toLocalFile().toStdString(), OpenKind::Wave);
        }
    }
}

} // namespace ondrix
