#pragma once

#include "app/help_window.h"
#include "app/main_frame.h"
#include "document/core/command_target.h"
#include "document/ondrix_doc.h"
#include "process/clipboard.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <string>

namespace ondrix {

class COndrixChild;
class CQtMessageService;
class CSingleInstance;
class CSplashWindow;
class IProfileStore;
class CQtWaveClipboard;

/// How the application starts; tests turn off what needs a desktop session.
struct AppOptions {
    IProfileStore* profile = nullptr; ///< settings store; null: the user's settings file
    QString instanceName;             ///< single-instance socket; empty: no single-instance check
    bool splash = true;               ///< show the splash window
    bool installMessageService = true;
    bool recoverWork = true; ///< offer the stores a crashed run left in the temporary directories
};

/// The application: start-up (single instance, first-run user mode, settings, main frame, documents of
/// the last run, command line, tip of the day), the documents, the custom clipboard, help, and the
/// commands that need no document (new, open, recent files, exit, tip of the day, help).
class COndrixApp final : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    /// An application with start-up options.
    explicit COndrixApp(AppOptions options = {});
    ~COndrixApp() override;

    /// Starts the program with a command line; false when another instance took it over (then exit).
    bool InitInstance(const QString& commandLine);
    /// The main window (null before InitInstance).
    CMainFrame* GetMainFrame() const noexcept { return m_frame; }

    /// Opens a document in a new window (or activates the window that shows the file already).
    bool OpenDocumentFile(const std::string& path, OpenKind kind = OpenKind::Wave, const RawFormat& raw = {});
    /// Asks for the parameters of a new sound and opens its window; false when cancelled.
    bool NewDocument();
    /// Opens a window for a document that is ready.
    COndrixChild* AddDocumentWindow(std::unique_ptr<COndrixDoc> doc);

    /// Whether the clipboard in use holds data.
    bool ClipboardHasData() const;
    /// The custom clipboard store, or null while the system clipboard is in use.
    CSampleStore* GetCustomClipboard() const noexcept { return m_clipboard.GetCustomStore(); }
    /// The program's clipboard (custom or system).
    CClipboard& GetClipboard() noexcept { return m_clipboard; }
    /// Switches the custom clipboard on (an empty store) or off.
    void SetCustomClipboard(bool on);

    /// Collects the state of the windows into the settings and writes them.
    void SaveSettings();
    /// Shows a help topic by its string id in the help window "second".
    void ShowHelp(uint32_t topic);
    /// The help window, once shown.
    CHelpWindow* GetHelpWindow() const noexcept { return m_help; }
    /// Shows the tip of the day.
    void ShowTipOfTheDay();
    /// The "User Mode" choice of a first run: 0 beginner, 1 expert; -1 when no first run happened.
    int FirstRunChoice() const noexcept { return m_firstRunChoice; }

private:
    /// Maps the application's commands.
    void MapAppCommands();
    /// "&Undo Steps...": asks for the undo count; a new count clears every document's history.
    void OnUndoSteps();
    /// Asks for a file and opens it.
    void OnFileOpen();
    /// Asks for a file and its raw format and opens it.
    void OnOpenRaw();
    /// Applies the loaded settings to the frame: shortcuts, bars, window placement, clipboard.
    void ApplySettings(bool firstRun);
    /// Shows the main window as the settings say.
    void ShowMainWindow();

    AppOptions m_options;
    std::unique_ptr<IProfileStore> m_ownProfile;
    IProfileStore* m_profile = nullptr;
    std::unique_ptr<CQtMessageService> m_messages;
    std::unique_ptr<CSingleInstance> m_instance;
    QPointer<CMainFrame> m_frame;
    CClipboard m_clipboard{false};                     ///< the custom clipboard comes on with the settings
    std::unique_ptr<CQtWaveClipboard> m_waveClipboard; ///< the desktop clipboard for WAVE blocks
    QPointer<CHelpWindow> m_help;
    int m_firstRunChoice = -1;
    bool m_settingsSaved = false;
};

} // namespace ondrix
