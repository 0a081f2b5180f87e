#include "app/main_frame.h"

#include "app/command_line.h"
#include "app/mixer_launcher.h"
#include "app/ondrix_app.h"
#include "app/progress_bar.h"
#include "app/qt_message_service.h"
#include "base/message_service.h"
#include "base/progress.h"
#include "document/doc_view.h"
#include "document/ondrix_doc.h"
#include "resources/command_ids.h"
#include "settings/accel_keys.h"
#include "store/sample_store.h"
#include "views/ondrix_child.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QUrl>

namespace ondrix {

namespace {

constexpr uint32_t kProductName = 32711;
constexpr uint32_t kStandardBarTitle = 32740;
constexpr uint32_t kPlayBarTitle = 32741;
constexpr uint32_t kVolumeBarTitle = 32742;
constexpr int kIdleUpdateMs = 250;
constexpr int kMeterPeriodMs = 10;
constexpr uint32_t kPlayFromDiskTitle = 32743;

/// Events the frame posts to itself.
enum FrameEvent : int {
    EVENT_AUDIO = QEvent::User + 0x0900, ///< an engine message
    EVENT_COMMAND_LINE = QEvent::User + 0x0B00,
    EVENT_COMMAND = QEvent::User + 0x0111
};

/// An engine message carried to the user-interface thread.
class AudioEvent final : public QEvent {
public:
    explicit AudioEvent(AudioMessage message) : QEvent(Type(EVENT_AUDIO)), m_message(std::move(message)) {}
    const AudioMessage& Message() const noexcept { return m_message; }

private:
    AudioMessage m_message;
};

/// A command line for the frame.
class CommandLineEvent final : public QEvent {
public:
    explicit CommandLineEvent(QString text) : QEvent(Type(EVENT_COMMAND_LINE)), m_text(std::move(text)) {}
    const QString& Text() const noexcept { return m_text; }

private:
    QString m_text;
};

/// A command posted to the frame.
class CommandEvent final : public QEvent {
public:
    explicit CommandEvent(uint32_t id) : QEvent(Type(EVENT_COMMAND)), m_id(id) {}
    uint32_t Id() const noexcept { return m_id; }

private:
    uint32_t m_id;
};

/// The tool bar buttons: command and icon name.
struct BarButton {
    uint32_t command;
    const char* icon;
};

constexpr BarButton kStandardButtons[] = {
    {cmd::kFileNew, "new"},
    {cmd::kFileOpen, "open"},
    {cmd::kFileSave, "save"},
    {0, nullptr},
    {cmd::kEditCut, "cut"},
    {cmd::kEditCopy, "copy"},
    {cmd::kEditPaste, "paste"},
    {cmd::kMix, "mix"},
    {cmd::kEditDelete, "delete"},
    {0, nullptr},
    {cmd::kEditUndo, "undo"},
    {0, nullptr},
    {cmd::kZoomAdapt, "zoom_adapt"},
    {cmd::kZoomIntoBlock, "zoom_block"},
    {cmd::kZoomFullDetail, "zoom_full"},
    {0, nullptr},
    {cmd::kSettings, "settings"},
    {cmd::kAbout, "about"},
};

constexpr BarButton kPlayButtons[] = {
    {cmd::kStop, "stop"}, {cmd::kPlayStart, "play"}, {cmd::kRecordStart, "record"}, {cmd::kPause, "pause"}};

QIcon Icon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

/// The status text of a prompt string: its first line (the tool tip follows a line break).
QString PromptText(uint32_t id) {
    return LoadQString(id).section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipText(uint32_t id) {
    const QString prompt = LoadQString(id);
    return prompt.contains(QLatin1Char('\n')) ? prompt.section(QLatin1Char('\n'), 1, 1) : prompt;
}

} // namespace

CMainFrame::CMainFrame(COndrixApp* app) : m_app(app), m_diskStore(std::make_unique<CSampleStore>()) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(LoadQString(kProductName));
    setWindowIcon(Icon("ondrix"));
    setAcceptDrops(true);
    m_diskStore->m_progressWindowId = kStatusBarWindowId;
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    m_mixer = std::make_unique<CMixerLauncher>();
    for (const auto* menu : {&MainFrameMenu(), &DocumentMenu()}) {
        ForEachCommand(*menu, [this](const MenuNode& node) { m_menuTexts[node.commandId] = node.textId; });
    }
    CreateBars();
    MapFrameCommands();
    SetShortcuts(BuiltInAccelTable());
    BuildMenuBar();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) {
        BuildMenuBar();
        if (COndrixChild* child = ActiveChild()) {
            child->GetDocument()->UpdateStatus(0);
        } else if (m_mdiArea->subWindowList().isEmpty() && IsStatusAvailable()) {
            for (int field = 1; field <= 7; ++field) {
                SetStatusText(field, {});
            }
        }
        UpdateCommandStates();
    });
    connect(m_statusBar, &CProgressBar::progressEnded, this,
            [this] { QTimer::singleShot(0, this, [this] { RunDeferredCommands(); }); });
    m_idleTimer.setInterval(kIdleUpdateMs);
    connect(&m_idleTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
    m_idleTimer.start();
    m_meterTimer.setInterval(kMeterPeriodMs);
    connect(&m_meterTimer, &QTimer::timeout, this, [this] {
        CSampleStore* store = m_recordingStore ? m_recordingStore : m_playingStore;
        m_meterLeft = m_meterRight = 0;
        if (store) {
            store->GetAudioLevels(m_meterLeft, m_meterRight);
        }
    });
    RegisterProgressDisplay(kStatusBarWindowId, m_statusBar);
    resize(900, 600);
}

CMainFrame::~CMainFrame() {
    m_mdiArea->disconnect(this);
    m_idleTimer.stop();
    m_meterTimer.stop();
    RegisterProgressDisplay(kStatusBarWindowId, nullptr);
    // document windows go first: their stores stop playing before the frame forgets them
    for (COndrixChild* child : Children()) {
        delete child;
    }
    m_diskStore->Release();
}

// --- bars and actions ---

void CMainFrame::CreateBars() {
    m_statusBar = new CProgressBar(this);
    setStatusBar(m_statusBar);
    m_standardBar = addToolBar(LoadQString(kStandardBarTitle));
    m_standardBar->setObjectName(QStringLiteral("StandardBar"));
    for (const BarButton& button : kStandardButtons) {
        if (button.command == 0) {
            m_standardBar->addSeparator();
        } else {
            QAction* action = Action(button.command);
            action->setIcon(Icon(button.icon));
            m_standardBar->addAction(action);
        }
    }
    m_playBar = addToolBar(LoadQString(kPlayBarTitle));
    m_playBar->setObjectName(QStringLiteral("PlayBar"));
    for (const BarButton& button : kPlayButtons) {
        QAction* action = Action(button.command);
        action->setIcon(Icon(button.icon));
        m_playBar->addAction(action);
    }
    // the main volume control docks here; until it is built its bar holds the place
    m_volumeBar = addToolBar(LoadQString(kVolumeBarTitle));
    m_volumeBar->setObjectName(QStringLiteral("VolumeBar"));
    for (QToolBar* bar : {m_standardBar, m_playBar, m_volumeBar}) {
        bar->setIconSize(QSize(20, 20));
    }
}

QAction* CMainFrame::Action(uint32_t id) {
    const auto it = m_actions.find(id);
    if (it != m_actions.end()) {
        return it->second;
    }
    auto* action = new QAction(this);
    action->setObjectName(QStringLiteral("Command%1").arg(id));
    action->setData(id);
    action->setStatusTip(PromptText(id));
    action->setToolTip(ToolTipText(id));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    addAction(action); // shortcuts work even while the action is in no visible menu
    m_actions.emplace(id, action);
    return action;
}

void CMainFrame::SetShortcuts(const AccelTable& table) {
    m_shortcuts = table;
    for (const AccelEntry& entry : table) {
        Action(entry.cmd);
    }
    for (auto& [id, action] : m_actions) {
        action->setShortcuts(KeySequencesOf(table, uint16_t(id)));
        const auto text = m_menuTexts.find(id);
        if (text != m_menuTexts.end()) {
            QString label = LoadQString(text->second);
            if (const AccelEntry* shortcut = MenuShortcutOf(table, uint16_t(id))) {
                label += QLatin1Char('\t') + QString::fromStdString(AccelName(*shortcut));
            }
            action->setText(label);
        }
        if (action->text().isEmpty()) {
            action->setText(ToolTipText(id));
        }
    }
}

void CMainFrame::BuildMenuBar() {
    const bool document = !m_mdiArea->subWindowList().isEmpty();
    if (m_menuBuilt && document == m_documentMenu) {
        return;
    }
    m_menuBuilt = true;
    m_documentMenu = document;
    menuBar()->clear();
    const std::vector<MenuNode>& nodes = document ? DocumentMenu() : MainFrameMenu();
    for (const MenuNode& node : nodes) {
        QMenu* menu = menuBar()->addMenu(LoadQString(node.textId));
        FillMenu(menu, node.children);
    }
    SetShortcuts(m_shortcuts);
}

void CMainFrame::FillMenu(QMenu* menu, const std::vector<MenuNode>& nodes) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
    for (const MenuNode& node : nodes) {
        switch (node.kind) {
        case MenuNode::Command:
            menu->addAction(Action(node.commandId));
            break;
        case MenuNode::Separator:
            menu->addSeparator();
            break;
        case MenuNode::Submenu:
            FillMenu(menu->addMenu(LoadQString(node.textId)), node.children);
            break;
        case MenuNode::RecentFiles: {
            QAction* marker = menu->addSeparator();
            marker->setObjectName(QStringLiteral("RecentFiles"));
            marker->setVisible(false);
            break;
        }
        case MenuNode::WindowList: {
            QAction* marker = menu->addSeparator();
            marker->setObjectName(QStringLiteral("WindowList"));
            marker->setVisible(false);
            break;
        }
        }
    }
}

void CMainFrame::UpdateMenu(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("RecentFiles")) {
            FillRecentFiles(menu, action);
        } else if (action->objectName() == QLatin1String("WindowList")) {
            FillWindowList(menu);
        }
    }
    for (QAction* action : menu->actions()) {
        bool ok = false;
        const uint32_t id = action->data().toUInt(&ok);
        if (!ok || action->menu() || id == 0) {
            continue;
        }
        const CCmdUI ui = QueryCommand(id);
        action->setEnabled(ui.IsEnabled());
        action->setCheckable(ui.IsCheckable());
        action->setChecked(ui.IsChecked());
    }
}

void CMainFrame::FillRecentFiles(QMenu* menu, QAction* marker) {
    for (QAction* action : menu->actions()) {
        if (action->property("recent").toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    const CRecentFileList& recent = g_settings.recentFiles;
    for (std::size_t i = 0; i < recent.Paths().size() && i < cmd::kFileMruCount; ++i) {
        const QString text =
            QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(recent.DisplayName(i)));
        auto* action = new QAction(text, menu);
        action->setProperty("recent", true);
        action->setStatusTip(QString::fromStdString(recent.Paths()[i]));
        const uint32_t id = cmd::kFileMruFirst + uint32_t(i);
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        menu->insertAction(marker, action);
    }
}

void CMainFrame::FillWindowList(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->property("window").toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    int number = 1;
    for (COndrixChild* child : Children()) {
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(number++).arg(
                                       QString::fromStdString(child->GetDocument()->GetTitle())),
                                   menu);
        action->setProperty("window", true);
        action->setCheckable(true);
        action->setChecked(child == ActiveChild());
        connect(action, &QAction::triggered, this, [this, child] { m_mdiArea->setActiveSubWindow(child); });
        menu->addAction(action);
    }
}

// --- routing ---

std::vector<CCmdTarget*> CMainFrame::Route() const {
    std::vector<CCmdTarget*> route;
    if (COndrixChild* child = ActiveChild()) {
        if (CDocView* view = child->GetActiveView()) {
            route.push_back(view->GetCommandTarget());
        }
        route.push_back(child->GetDocument());
        route.push_back(child);
    }
    route.push_back(const_cast<CMainFrame*>(this));
    route.push_back(m_app);
    return route;
}

CCmdUI CMainFrame::QueryCommand(uint32_t id) {
    return CCommandRoute(Route()).Update(id);
}

void CMainFrame::ExecuteCommand(uint32_t id) {
    if (m_statusBar->IsActive()) {
        m_deferred.push_back(id); // no command runs inside an operation; it waits for the end
        return;
    }
    CCommandRoute(Route()).Execute(id);
    UpdateCommandStates();
}

void CMainFrame::PostCommand(uint32_t id) {
    QCoreApplication::postEvent(this, new CommandEvent(id));
}

void CMainFrame::RunDeferredCommands() {
    while (!m_deferred.empty() && !m_statusBar->IsActive()) {
        const uint32_t id = m_deferred.front();
        m_deferred.pop_front();
        ExecuteCommand(id);
    }
}

void CMainFrame::UpdateCommandStates() {
    if (m_statusBar->IsActive()) {
        return;
    }
    const CCommandRoute route(Route());
    for (auto& [id, action] : m_actions) {
        const CCmdUI ui = route.Update(id);
        action->setEnabled(ui.IsEnabled());
        action->setCheckable(ui.IsCheckable());
        action->setChecked(ui.IsChecked());
        if (ui.GetText()) {
            action->setText(QString::fromStdString(*ui.GetText()));
        }
    }
}

// --- windows ---

void CMainFrame::AddChild(COndrixChild* child) {
    m_mdiArea->addSubWindow(child);
    connect(child, &COndrixChild::documentClosing, this, &CMainFrame::OnChildClosing);
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

void CMainFrame::OnChildClosing(COndrixChild* child) {
    COndrixDoc* doc = child->GetDocument();
    if (m_playingStore == doc->GetStore() || m_playingStore == doc->GetRecordStore()) {
        m_playingStore = nullptr;
    }
    if (m_recordingStore == doc->GetStore() || m_recordingStore == doc->GetRecordStore()) {
        m_recordingStore = nullptr;
    }
    if (!m_playingStore && !m_recordingStore) {
        StopMeterTimer();
    }
}

bool CMainFrame::IsKnownStore(const CSampleStore* store) const {
    if (store == m_diskStore.get()) {
        return true;
    }
    for (COndrixChild* child : Children()) {
        if (child->GetDocument()->GetStore() == store || child->GetDocument()->GetRecordStore() == store) {
            return true;
        }
    }
    return false;
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

// --- engine messages ---

void CMainFrame::PostAudioMessage(const AudioMessage& message) {
    QCoreApplication::postEvent(this, new AudioEvent(message));
}

void CMainFrame::OnAudioMessage(const AudioMessage& message) {
    if (message.wParam != 0 && !message.errorText.empty()) {
        Messages().Beep(MsgIcon::Stop);
        Messages().ShowMessage(message.errorText, MsgIcon::Stop, MsgButtons::Ok, message.wParam);
    }
    switch (message.message) {
    case WM_PLAYSTARTED:
        if (IsKnownStore(message.lParam) && message.lParam->GetAudioState() != 0) {
            m_playingStore = message.lParam;
            StartMeterTimer();
        }
        break;
    case WM_PLAYSTOPPED:
        if (m_playingStore && m_playingStore->GetAudioState() != 0) {
            break; // the stop of an earlier run: the store plays again already
        }
        if (m_playingStore == m_diskStore.get()) {
            m_diskStore->Release();
        }
        m_playingStore = nullptr;
        if (!m_recordingStore) {
            StopMeterTimer();
        }
        break;
    case WM_RECORDSTARTED:
        if (IsKnownStore(message.lParam)) {
            StartMeterTimer();
            m_recordingStore = message.lParam;
        }
        break;
    case WM_RECORDSTOPPED:
        m_recordingStore = nullptr;
        if (!m_playingStore) {
            StopMeterTimer();
        }
        break;
    default:
        break;
    }
    UpdateCommandStates();
}

void CMainFrame::StartMeterTimer() {
    m_meterTimer.stop();
    m_meterTimer.start();
}

void CMainFrame::StopMeterTimer() {
    m_meterTimer.stop();
    m_meterLeft = m_meterRight = 0;
}

void CMainFrame::customEvent(QEvent* event) {
    switch (int(event->type())) {
    case EVENT_AUDIO:
        OnAudioMessage(static_cast<AudioEvent*>(event)->Message());
        break;
    case EVENT_COMMAND_LINE:
        if (m_statusBar->IsActive()) {
            // a second instance spoke while an operation runs: try again once it has ended
            PostCommandLine(static_cast<CommandLineEvent*>(event)->Text());
            break;
        }
        ProcessCommandLine(static_cast<CommandLineEvent*>(event)->Text());
        break;
    case EVENT_COMMAND:
        ExecuteCommand(static_cast<CommandEvent*>(event)->Id());
        break;
    default:
        QMainWindow::customEvent(event);
        break;
    }
}

// --- command line ---

void CMainFrame::PostCommandLine(const QString& commandLine) {
    QCoreApplication::postEvent(this, new CommandLineEvent(commandLine));
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

// --- window events ---

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_statusBar->IsActive()) {
        event->ignore();
        return;
    }
    for (COndrixChild* child : Children()) {
        if (!child->GetDocument()->SaveModified()) {
            event->ignore();
            return;
        }
    }
    m_closing = true;
    if (m_app) {
        m_app->SaveSettings();
    }
    m_mixer->Close();
    for (COndrixChild* child : Children()) {
        child->GetDocument()->SetModifiedFlag(false); // asked above
        child->close();
    }
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
