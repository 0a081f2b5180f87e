#pragma once

#include "app/main_frame.h"
#include "app/ondrix_app.h"
#include "app/progress_bar.h"
#include "app/ui/editor_qt_support.h"
#include "document/ondrix_doc.h"
#include "document/ui/scripted_file_chooser.h"
#include "settings/core/memory_profile_store.h"
#include "settings/core/settings.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"
#include "views/ondrix_child.h"
#include "views/sample_view.h"

#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace ondrix::test {

/// An editor started on settings in memory (not the first run, no tips, no splash), with scripted file
/// dialogs and message boxes and the documents' data in a directory of its own.
class EditorFixture : public ::testing::Test, public QtApplicationFirst {
protected:
    void SetUp() override {
        g_settings = Settings{};
        WriteSettings(profile, FirstRunSettings()); // the built-in shortcuts, every default
        profile.WriteInt("", "First", 0);
        profile.WriteInt("Desktop", "ShowTips", 0);
        // a normal window of 1000 x 640 at (20, 20)
        profile.WriteInt("Desktop", "Show", 5);
        profile.WriteInt("Desktop", "Left", 20);
        profile.WriteInt("Desktop", "Top", 20);
        profile.WriteInt("Desktop", "Right", 1020);
        profile.WriteInt("Desktop", "Bottom", 660);
        profile.WriteString("TempPath", "Editor", temp.Path());
        profile.WriteString("TempPath", "Clipboard", temp.Path());
        Start("");
    }

    void TearDown() override { app.reset(); }

    /// Starts the application with a command line.
    void Start(const QString& commandLine) {
        AppOptions options;
        options.profile = &profile;
        options.splash = false;
        options.installMessageService = false;
        options.instanceName = instanceName;
        options.recoverWork = recoverWork;
        app = std::make_unique<COndrixApp>(options);
        started = app->InitInstance(commandLine);
        frame = app->GetMainFrame();
        ProcessPendingEvents();
    }

    /// The active document, or null.
    COndrixDoc* Doc() const {
        COndrixChild* child = frame->ActiveChild();
        return child ? child->GetDocument() : nullptr;
    }

    /// Writes a WAVE file of a ramp sound and returns its path.
    std::string MakeWave(const std::string& name, uint32_t tracks, uint32_t bits, uint32_t rate,
                         uint32_t frames) {
        CSampleStore store;
        EXPECT_TRUE(store.Create(STORE_MEMORY, "", bits, tracks, rate, tracks >= 2));
        if (bits == 16) {
            FillRamp16(store, frames);
        } else {
            FillRamp8(store, frames);
        }
        const std::string path = files.Path() + "/" + name;
        EXPECT_TRUE(store.Save(path, false));
        return path;
    }

    /// Opens a window with a new empty sound (the "&New" command without its dialog).
    COndrixDoc* NewSound(uint32_t bits, uint32_t tracks, uint32_t rate, bool stereo = true) {
        auto doc = std::make_unique<COndrixDoc>(frame);
        EXPECT_TRUE(doc->CreateNew(bits, tracks, rate, stereo));
        COndrixDoc* raw = doc.get();
        app->AddDocumentWindow(std::move(doc));
        ProcessPendingEvents();
        return raw;
    }

    /// Opens a file through the "&Open..." command.
    bool OpenByCommand(const std::string& path) {
        const std::size_t before = frame->Children().size();
        fileAnswers.push_back(path);
        frame->ExecuteCommand(57601);
        ProcessPendingEvents();
        return frame->Children().size() == before + 1;
    }

    /// Sends a shortcut to the sample view of the active window, as the user's keyboard does.
    void PressInSample(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QApplication::setActiveWindow(frame); // a closed dialog may have taken the activation along
        frame->UpdateCommandStates();
        SendKey(frame->ActiveChild()->GetSampleView(), key, modifiers);
        ProcessPendingEvents();
    }

    /// Chooses a menu item as the user does; it must be enabled.
    void ChooseMenuItem(uint32_t id) {
        frame->UpdateCommandStates();
        ASSERT_TRUE(frame->Action(id)->isEnabled()) << id;
        frame->Action(id)->trigger();
        ProcessPendingEvents();
    }

    /// The text of a status field.
    QString Status(int field) const { return frame->StatusBar()->PaneText(field); }

    FakeMessageService messages;
    CMemoryProfileStore profile;
    TempDir temp;
    TempDir files;
    QString instanceName;
    bool recoverWork = false; ///< the start-up offer of a crashed run's work (its tests turn it on)
    std::unique_ptr<COndrixApp> app;
    CMainFrame* frame = nullptr;
    bool started = false;
    ScriptedFileChooser chooser;
    std::deque<std::optional<std::string>>& fileAnswers = chooser.answers;
    std::vector<FileRequest>& requests = chooser.requests;
};

} // namespace ondrix::test
