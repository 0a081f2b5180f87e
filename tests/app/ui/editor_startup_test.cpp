#include "app/single_instance.h"
#include "app/ui/editor_fixture.h"
#include "app/ui/manual_device.h"
#include "app/user_mode_dialog.h"
#include "resources/command_ids.h"
#include "settings/tip_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Start-up: every test starts its editor itself.
class StartupTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp(); // a first editor on the same settings; the tests restart it as they need
    }
    /// Closes the running editor as the user would (settings saved), then starts a new one.
    void Restart(const QString& commandLine) {
        frame->close();
        ProcessPendingEvents();
        app.reset();
        g_settings = Settings{};
        Start(commandLine);
    }

    ManualDevice device;
    CSimClock& clock = device.clock;
    CSimAudioBackend& backend = device.backend;
};

TEST_F(StartupTest, TheFirstRunAsksForTheUserModeOnce) {
    frame->close();
    ProcessPendingEvents();
    app.reset();
    profile.RemoveValue("", "First");
    profile.WriteInt("Desktop", "ExpertMode", 0);
    int asked = 0;
    WhenModal([&](QWidget* dialog) {
        ++asked;
        auto* mode = qobject_cast<CUserModeDialog*>(dialog);
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "User Mode");
        EXPECT_TRUE(mode->BeginnerButton()->isChecked());
        auto* explanation = dialog->findChild<QLabel*>(QStringLiteral("Explanation"));
        ASSERT_NE(explanation, nullptr);
        EXPECT_TRUE(explanation->text().startsWith("In expert mode, you can specify all parameters"));
        // on the radio button's indicator: the button takes clicks only on its indicator and text
        SendClick(mode->ExpertButton(), Qt::LeftButton, QPoint(5, mode->ExpertButton()->height() / 2));
        SendClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
        // a first run shows the tip of the day next
        WhenModal([](QWidget* tip) {
            EXPECT_NE(qobject_cast<CTipDialog*>(tip), nullptr);
            tip->close();
        });
    });
    g_settings = Settings{};
    Start("");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(profile.GetInt("", "First", 1), 0); // written at once
    EXPECT_EQ(g_settings.desktop.expertMode, 1);  // in effect when the window appears
    EXPECT_EQ(app->FirstRunChoice(), 1);
    EXPECT_FALSE(g_settings.accels.empty()); // the first run has the built-in shortcuts
    // the next start asks nothing and keeps the choice
    g_settings.desktop.showTips = 0;
    WhenModal([&](QWidget* dialog) {
        ++asked;
        dialog->close();
    });
    Restart("");
    EXPECT_EQ(asked, 1);
    DropPendingModalActions(); // nothing was asked
    EXPECT_EQ(g_settings.desktop.expertMode, 1);
}

TEST_F(StartupTest, TheDocumentsOfTheLastRunOpenAgain) {
    const std::string saved = MakeWave("kept.wav", 2, 16, 8000, 100);
    ASSERT_TRUE(OpenByCommand(saved));
    NewSound(16, 1, 8000); // untitled: not reopened
    Restart("");
    EXPECT_EQ(profile.GetInt("Windows-Summary", "Count", -1), 1);
    EXPECT_EQ(profile.GetString("Windows-Window0", "Path", ""), saved);
    ASSERT_EQ(frame->Children().size(), 1u);
    EXPECT_EQ(Doc()->GetPathName(), saved);
}

TEST_F(StartupTest, WindowPlacementAndBarsComeBack) {
    frame->showNormal();
    frame->setGeometry(40, 50, 800, 500);
    frame->ExecuteCommand(cmd::kViewPlayBar);
    ASSERT_TRUE(frame->PlayBar()->isHidden());
    Restart("");
    EXPECT_EQ(profile.GetInt("Desktop", "Show", 0), 5);
    EXPECT_EQ(profile.GetInt("Desktop", "Right", 0) - profile.GetInt("Desktop", "Left", 0), 800);
    EXPECT_EQ(frame->geometry().size(), QSize(800, 500));
    EXPECT_TRUE(frame->PlayBar()->isHidden());
    EXPECT_FALSE(frame->StandardBar()->isHidden());
}

TEST_F(StartupTest, TheCustomClipboardSwitchesAndTheChoiceComesBack) {
    ASSERT_NE(app->GetCustomClipboard(), nullptr); // "Custom &Clipboard" is on by default
    EXPECT_TRUE(frame->QueryCommand(cmd::kCustomClipboard).IsChecked());
    EXPECT_FALSE(app->ClipboardHasData()); // an empty custom clipboard has nothing to paste
    EXPECT_FALSE(frame->QueryCommand(cmd::kFromClipboard).IsEnabled());
    frame->ExecuteCommand(cmd::kCustomClipboard);
    EXPECT_EQ(app->GetCustomClipboard(), nullptr);
    EXPECT_FALSE(frame->QueryCommand(cmd::kCustomClipboard).IsChecked());
    Restart("");
    EXPECT_EQ(profile.GetInt("Desktop", "OwnClipBoard", 1), 0);
    EXPECT_EQ(app->GetCustomClipboard(), nullptr);
    frame->ExecuteCommand(cmd::kCustomClipboard);
    CSampleStore* clip = app->GetCustomClipboard();
    ASSERT_NE(clip, nullptr);
    ASSERT_TRUE(clip->Create(STORE_MEMORY, "", 16, 1, 44100, false));
    FillRamp16(*clip, 10);
    EXPECT_TRUE(frame->QueryCommand(cmd::kFromClipboard).IsEnabled());
    frame->ExecuteCommand(cmd::kFromClipboard); // a new window on the custom clipboard's sound
    ProcessPendingEvents();
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->GetStore()->GetFrameCount(), 10);
}

TEST_F(StartupTest, PlaySwitchOpensAndPlays) {
    const std::string path = MakeWave("play me.wav", 1, 16, 8000, 8000);
    Restart(QString::fromStdString("/p " + path));
    ProcessPendingEvents();
    ASSERT_EQ(frame->Children().size(), 1u);
    EXPECT_EQ(Doc()->GetTitle(), "play me.wav");
    EXPECT_TRUE(Doc()->IsPlaying());
}

TEST_F(StartupTest, InternalWaveSwitches) {
    Restart("/iWave Wave");
    ProcessPendingEvents();
    ASSERT_EQ(frame->Children().size(), 1u);
    EXPECT_EQ(Doc()->GetTitle(), "Internal Wave");
    EXPECT_EQ(Doc()->GetStore()->GetSampleRate(), 11025u);
    EXPECT_EQ(Doc()->GetStore()->GetBitsPerSample(), 8u);
    EXPECT_EQ(Doc()->GetStore()->GetDataSize(), 204326u);
    EXPECT_FALSE(Doc()->HasFilePath());
    const std::string path = MakeWave("named.wav", 2, 16, 8000, 10);
    g_settings.recentFiles.Clear();
    frame->ProcessCommandLine(QString::fromStdString("/iWave Demo " + path));
    ASSERT_EQ(frame->Children().size(), 2u);
    EXPECT_EQ(Doc()->GetTitle(), "Internal Wave");
    EXPECT_EQ(Doc()->GetStore()->GetTrackCount(), 2u);
    EXPECT_TRUE(g_settings.recentFiles.Paths().empty()); // internal waves stay off the list
}

TEST_F(StartupTest, QuitSwitchClosesAtOnce) {
    int closed = 0;
    QObject::connect(frame, &CMainFrame::frameClosed, [&closed] { ++closed; });
    frame->ProcessCommandLine("/q anything");
    ProcessPendingEvents();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(StartupTest, TheTipOfTheDayShowsOnlyWithoutACommandLine) {
    g_settings.desktop.showTips = 1; // what the closing editor saves
    int tips = 0;
    const auto closeTip = [&](QWidget* dialog) {
        tips += qobject_cast<CTipDialog*>(dialog) != nullptr;
        dialog->close();
    };
    WhenModal(closeTip);
    Restart("");
    EXPECT_EQ(tips, 1);
    g_settings.desktop.showTips = 1;
    WhenModal(closeTip);
    Restart(QString::fromStdString("/iWave Wave"));
    ProcessPendingEvents();
    EXPECT_EQ(tips, 1);
    DropPendingModalActions(); // no tip with a command line
    QApplication::processEvents();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close(); // nothing should be there; keep the next tests free of it
    }
}

TEST_F(StartupTest, ASecondInstanceHandsItsCommandLineOver) {
    frame->close();
    ProcessPendingEvents();
    app.reset();
    instanceName = QStringLiteral("ondrix-test-%1").arg(QCoreApplication::applicationPid());
    g_settings = Settings{};
    Start("");
    ASSERT_TRUE(started);
    const std::string path = MakeWave("handed.wav", 1, 16, 8000, 10);
    AppOptions options;
    options.profile = &profile;
    options.splash = false;
    options.installMessageService = false;
    options.instanceName = instanceName;
    COndrixApp second(options);
    EXPECT_FALSE(second.InitInstance(QString::fromStdString(path)));
    EXPECT_EQ(second.GetMainFrame(), nullptr);
    for (int i = 0; i < 20 && frame->Children().empty(); ++i) {
        ProcessPendingEvents();
    }
    ASSERT_EQ(frame->Children().size(), 1u);
    EXPECT_EQ(Doc()->GetTitle(), "handed.wav");
}

TEST(SingleInstanceName, OneEditorPerUserAndDisplay) {
    const QString first = CSingleInstance::NameFor(1000, QStringLiteral(":0"), QString());
    EXPECT_EQ(first, "ondrix-editor-1000-_0");
    EXPECT_EQ(CSingleInstance::NameFor(1000, QStringLiteral(":0.1"), QString()), first); // another screen
    EXPECT_NE(CSingleInstance::NameFor(1000, QStringLiteral(":1"), QString()), first);
    EXPECT_NE(CSingleInstance::NameFor(1001, QStringLiteral(":0"), QString()), first);
    EXPECT_EQ(CSingleInstance::NameFor(1000, QStringLiteral("host.example:10.0"), QString()),
              "ondrix-editor-1000-host_example_10");
    // X first (an X client under Wayland talks to its X server), then Wayland, then none
    EXPECT_EQ(CSingleInstance::NameFor(1000, QStringLiteral(":0"), QStringLiteral("wayland-0")), first);
    EXPECT_EQ(CSingleInstance::NameFor(1000, QString(), QStringLiteral("wayland-0")),
              "ondrix-editor-1000-wayland_0");
    EXPECT_EQ(CSingleInstance::NameFor(1000, QString(), QString()), "ondrix-editor-1000");
}

} // namespace
