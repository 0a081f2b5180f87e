#include "app/ondrix_app.h"

#include "app/about_dialog.h"
#include "app/help_window.h"
#include "app/main_frame.h"
#include "app/qt_message_service.h"
#include "app/qt_wave_clipboard.h"
#include "app/settings_sheet_host.h"
#include "app/single_instance.h"
#include "app/splash_window.h"
#include "app/user_mode_dialog.h"
#include "app/work_recovery.h"
#include "base/progress.h"
#include "document/core/undo_steps_text.h"
#include "document/device_accompaniment.h"
#include "document/dialogs/raw_format_dialog.h"
#include "document/dialogs/undo_steps_dialog.h"
#include "document/file_chooser.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/core/settings.h"
#include "settings/qt_profile_store.h"
#include "settings/tip_dialog.h"
#include "views/ondrix_child.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QScreen>

namespace ondrix {

COndrixApp::COndrixApp(AppOptions options) : m_options(std::move(options)) {
    m_profile = m_options.profile;
    if (!m_profile) {
        m_ownProfile = std::make_unique<CQtProfileStore>();
        m_profile = m_ownProfile.get();
    }
    MapAppCommands();
    m_waveClipboard = std::make_unique<CQtWaveClipboard>();
}

COndrixApp::~COndrixApp() {
    delete m_frame.data();
    delete m_help.data();
    if (m_messages) {
        SetMessageService(nullptr);
    }
    SetCustomClipboard(false);
    m_waveClipboard.reset();
}

bool COndrixApp::InitInstance(const QString& commandLine) {
    // 1. one instance per user: a running one takes the command line over
    if (!m_options.instanceName.isEmpty()) {
        m_instance = std::make_unique<CSingleInstance>(m_options.instanceName);
        if (m_instance->SendToRunning(commandLine)) {
            return false;
        }
        m_instance->Listen();
    }
    // 2. names and the message service
    QCoreApplication::setOrganizationName(QStringLiteral("Pellam"));
    QCoreApplication::setApplicationName(QStringLiteral("Ondrix"));
    if (m_options.installMessageService) {
        m_messages = std::make_unique<CQtMessageService>();
        m_messages->SetHelpHandler([this](uint32_t id) { ShowHelp(id); });
        SetMessageService(m_messages.get());
    }
    // recordings play their MIDI and CD accompaniment on the devices
    InstallDeviceAccompaniment();
    // 3. the first run asks for the user mode, and ends the first run at once
    const bool firstRun = IsFirstRun(*m_profile);
    if (firstRun) {
        CUserModeDialog dialog(g_settings.desktop.expertMode != 0);
        dialog.exec();
        m_firstRunChoice = dialog.IsExpert() ? 1 : 0;
        EndFirstRun(*m_profile);
    }
    // 5. the main frame, with the splash window while it comes up
    m_frame = new CMainFrame(this);
    if (m_messages) {
        m_messages->SetParentWindow(m_frame);
    }
    if (m_options.splash) {
        (new CSplashWindow)->ShowFor(CSplashWindow::kShowMs);
    }
    if (m_instance) {
        connect(m_instance.get(), &CSingleInstance::commandLineReceived, m_frame,
                [this](const QString& line) {
                    if (line.trimmed().isEmpty()) {
                        m_frame->raise();
                        m_frame->activateWindow();
                    } else {
                        m_frame->PostCommandLine(line);
                    }
                });
    }
    // 6. the settings
    LoadSettings(*m_profile, firstRun, g_settings);
    ApplySettings(firstRun);
    // 7. the window as it was; a first run's choice is in effect when it appears
    if (firstRun) {
        g_settings.desktop.expertMode = m_firstRunChoice;
    }
    ShowMainWindow();
    // the work a crashed run left, before the last run's files: a recovered sound stands for its file
    if (m_options.recoverWork) {
        OfferLeftoverWork(*this);
    }
    // the documents of the last run
    for (const std::string& path : g_settings.openDocuments) {
        if (!path.empty()) {
            OpenDocumentFile(path, OpenKind::Wave);
        }
    }
    // 8. the command line, else the tip of the day
    if (!commandLine.trimmed().isEmpty()) {
        m_frame->PostCommandLine(commandLine);
    } else if (g_settings.desktop.showTips) {
        QTimer::singleShot(0, this, [this] { ShowTipOfTheDay(); });
    }
    return true;
}

void COndrixApp::ApplySettings(bool firstRun) {
    m_frame->SetShortcuts(g_settings.accels);
    if (firstRun) {
        m_frame->PostCommand(cmd::kStandardBars);
    } else {
        m_frame->RestoreBarState(g_settings.toolBars);
    }
    SetCustomClipboard(g_settings.desktop.ownClipBoard != 0);
}

void COndrixApp::ShowMainWindow() {
    const WindowPlacement& place = g_settings.window;
    if (place.show == SHOW_NORMAL && place.HasRect() && place.right > place.left &&
        place.bottom > place.top) {
        m_frame->setGeometry(QRect(QPoint(place.left, place.top), QPoint(place.right - 1, place.bottom - 1)));
    }
    switch (place.show) {
    case SHOW_MAXIMIZED:
        m_frame->showMaximized();
        break;
    case SHOW_MINIMIZED:
        m_frame->showMinimized();
        break;
    default:
        m_frame->show();
        break;
    }
}

void COndrixApp::SaveSettings() {
    if (m_settingsSaved || !m_frame) {
        return;
    }
    m_settingsSaved = true;
    m_frame->SaveBarState(g_settings.toolBars);
    WindowPlacement& place = g_settings.window;
    if (m_frame->isMaximized()) {
        place.show = SHOW_MAXIMIZED;
    } else if (m_frame->isMinimized()) {
        place.show = SHOW_MINIMIZED;
    } else {
        place.show = SHOW_NORMAL;
        const QRect rect = m_frame->geometry();
        place.left = rect.left();
        place.top = rect.top();
        place.right = rect.right() + 1;
        place.bottom = rect.bottom() + 1;
    }
    g_settings.desktop.ownClipBoard = m_clipboard.IsCustom() ? 1 : 0;
    g_settings.openDocuments.clear();
    for (COndrixChild* child : m_frame->Children()) {
        if (child->GetDocument()->HasFilePath()) {
            g_settings.openDocuments.push_back(child->GetDocument()->GetPathName());
        }
    }
    ondrix::SaveSettings(*m_profile, g_settings);
}

// --- documents ---

COndrixChild* COndrixApp::AddDocumentWindow(std::unique_ptr<COndrixDoc> doc) {
    auto* child = new COndrixChild(std::move(doc));
    m_frame->AddChild(child);
    return child;
}

bool COndrixApp::OpenDocumentFile(const std::string& path, OpenKind kind, const RawFormat& raw) {
    if (kind == OpenKind::Wave) {
        const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
        for (COndrixChild* child : m_frame->Children()) {
            if (QString::fromStdString(child->GetDocument()->GetPathName()) == absolute) {
                m_frame->GetMdiArea()->setActiveSubWindow(child);
                return true;
            }
        }
    }
    auto doc = std::make_unique<COndrixDoc>(m_frame);
    if (kind == OpenKind::Clipboard && m_clipboard.IsCustom()) {
        if (!doc->OpenFromStore(*m_clipboard.GetCustomStore())) {
            return false;
        }
    } else if (!doc->OnOpenDocument(path, kind, raw)) {
        return false;
    }
    if (kind == OpenKind::Wave) {
        g_settings.recentFiles.Add(doc->GetPathName());
    }
    AddDocumentWindow(std::move(doc));
    return true;
}

bool COndrixApp::NewDocument() {
    auto doc = std::make_unique<COndrixDoc>(m_frame);
    if (!doc->OnNewDocument()) {
        return false;
    }
    AddDocumentWindow(std::move(doc));
    return true;
}

// --- clipboard ---

bool COndrixApp::ClipboardHasData() const {
    return m_clipboard.CanPaste();
}

void COndrixApp::SetCustomClipboard(bool on) {
    if (on != m_clipboard.IsCustom()) {
        m_clipboard.ToggleCustom();
    }
}

// --- help and tips ---

void COndrixApp::ShowHelp(uint32_t topic) {
    if (!m_help) {
        m_help = new CHelpWindow;
    }
    m_help->ShowTopic(topic);
}

void COndrixApp::ShowTipOfTheDay() {
    CTipDialog dialog(CTipDialog::DefaultTipFile(), m_frame);
    dialog.exec();
}

// --- commands ---

void COndrixApp::OnUndoSteps() {
    CUndoStepsDialog dialog(g_settings.edit.undoCount, m_frame);
    if (dialog.exec() != QDialog::Accepted || dialog.GetCount() == g_settings.edit.undoCount) {
        return;
    }
    g_settings.edit.undoCount = uint8_t(dialog.GetCount());
    for (COndrixChild* child : m_frame->Children()) {
        child->GetDocument()->GetUndoHistory().ClearUndoHistory();
    }
}

void COndrixApp::MapAppCommands() {
    MapCommand(cmd::kFileNew, [this] { NewDocument(); });
    MapCommand(cmd::kFileOpen, [this] { OnFileOpen(); });
    MapCommand(cmd::kOpenRaw, [this] { OnOpenRaw(); });
    MapCommand(
        cmd::kFromClipboard, [this] { OpenDocumentFile({}, OpenKind::Clipboard); },
        [this](CCmdUI& ui) { ui.Enable(ClipboardHasData()); });
    MapCommand(
        cmd::kUndoSteps, [this] { OnUndoSteps(); },
        [](CCmdUI& ui) { ui.SetText(UndoStepsMenuText(g_settings.edit.undoCount)); });
    MapCommand(
        cmd::kCustomClipboard, [this] { m_clipboard.ToggleCustom(); },
        [this](CCmdUI& ui) { ui.SetCheck(m_clipboard.IsCustom()); });
    for (uint32_t i = 0; i < cmd::kFileMruCount; ++i) {
        MapCommand(cmd::kFileMruFirst + i, [this, i] {
            if (i >= g_settings.recentFiles.Paths().size()) {
                return;
            }
            const std::string path = g_settings.recentFiles.Paths()[i];
            if (!OpenDocumentFile(path, OpenKind::Wave) && !QFileInfo::exists(QString::fromStdString(path))) {
                g_settings.recentFiles.Remove(i);
            }
        });
    }
    MapCommand(cmd::kAppExit, [this] { m_frame->close(); });
    MapCommand(cmd::kAbout, [this] {
        CAboutDialog dialog(m_frame);
        dialog.exec();
    });
    MapCommand(cmd::kSettings, [this] { ShowSettingsSheet(*this); });
    MapCommand(cmd::kTipOfTheDay, [this] { ShowTipOfTheDay(); });
    MapCommand(cmd::kHelpFinder, [this] { ShowHelp(0); });
    MapCommand(cmd::kHelp, [this] { ShowHelp(0); });
    MapCommand(cmd::kContextHelp, [this] { ShowHelp(0); });
}

void COndrixApp::OnFileOpen() {
    FileRequest request;
    request.initial = g_settings.desktop.lastFileName;
    const auto path = ChooseFile(request);
    if (!path) {
        return;
    }
    g_settings.desktop.lastFileName = *path;
    OpenDocumentFile(*path, OpenKind::Wave);
}

void COndrixApp::OnOpenRaw() {
    FileRequest request;
    request.title = LoadString(str::kRawOpenTitle);
    request.initial = g_settings.desktop.lastFileName;
    const auto path = ChooseFile(request);
    if (!path) {
        return;
    }
    const QFileInfo info(QString::fromStdString(*path));
    if (!info.isFile()) {
        return;
    }
    RawFormat format;
    format.rate = uint32_t(g_settings.desktop.sampleRate);
    format.tracks = g_settings.desktop.channels;
    format.bits = g_settings.desktop.bitsPerSample;
    format.offset = uint32_t(g_settings.desktop.fileOffset);
    CRawFormatDialog dialog(format, uint64_t(info.size()), m_frame);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    format = dialog.GetFormat();
    g_settings.desktop.sampleRate = int32_t(format.rate);
    g_settings.desktop.channels = uint8_t(format.tracks);
    g_settings.desktop.bitsPerSample = uint8_t(format.bits);
    g_settings.desktop.fileOffset = int32_t(format.offset);
    g_settings.desktop.lastFileName = *path;
    OpenDocumentFile(*path, OpenKind::Raw, format);
}

} // namespace ondrix
