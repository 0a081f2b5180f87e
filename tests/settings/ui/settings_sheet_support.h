#pragma once

#include "app/ui/editor_qt_support.h"
#include "audio/audio_device.h"
#include "settings/core/memory_profile_store.h"
#include "settings/core/settings.h"
#include "settings/core/settings_host.h"
#include "settings/qt_profile_store.h"
#include "settings/settings_sheet.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <QComboBox>
#include <QSettings>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace ondrix::test {

/// The windows above the sheet, as far as a test needs them.
struct FakeSettingsHost final : ISettingsHost {
    void RefreshViews() override { ++refreshes; }
    void SetShortcuts(const AccelTable& table) override {
        shortcuts = table;
        ++shortcutCalls;
    }
    bool HasOpenDocuments() const override { return documentsOpen; }
    bool CloseAllDocuments() override {
        ++closeCalls;
        if (closeSucceeds) {
            documentsOpen = false;
        }
        return closeSucceeds;
    }
    void RecreateCustomClipboard() override { clipboardPaths.push_back(live->tempPath.clipboard); }

    Settings* live = nullptr;
    int refreshes = 0;
    int shortcutCalls = 0;
    AccelTable shortcuts;
    bool documentsOpen = false;
    bool closeSucceeds = true;
    int closeCalls = 0;
    std::vector<std::string> clipboardPaths; ///< the clipboard path at each recreation
};

/// A sound system with two outputs and one input.
struct FakeBackend final : IAudioBackend {
    std::string Name() const override { return "fake"; }
    bool IsAvailable() override { return true; }
    std::vector<AudioDeviceInfo> ListOutputs() override {
        return {{0, "out0", "Speakers"}, {1, "out1", "HDMI"}};
    }
    std::vector<AudioDeviceInfo> ListInputs() override { return {{0, "in0", "Microphone"}}; }
    bool QueryOutputCaps(int device, AudioDeviceCaps& caps) override {
        if (device == 1) {
            return false; // a device that cannot be queried
        }
        caps = {44100, 16, 2};
        return true;
    }
    bool QueryInputCaps(int, AudioDeviceCaps& caps) override {
        caps = {22050, 8, 1};
        return true;
    }
    DeviceResult OpenOutput(int, const AudioFormat&, IDeviceCallback&,
                            std::unique_ptr<IAudioOutput>&) override {
        return DeviceResult::BadDevice;
    }
    DeviceResult OpenInput(int, const AudioFormat&, IDeviceCallback&,
                           std::unique_ptr<IAudioInput>&) override {
        return DeviceResult::BadDevice;
    }
};

/// A sheet over settings loaded from a memory profile store; the values it takes over are written to
/// an INI file and read back from there.
class SettingsSheetTest : public ::testing::Test, public QtApplicationFirst {
protected:
    void SetUp() override {
        LoadSettings(profile, false, settings);
        settings.accels = BuiltInAccelTable(); // as a first run leaves them
        host.live = &settings;
    }

    /// Opens a new sheet over the settings.
    CSettingsSheet& Open() {
        sheet = std::make_unique<CSettingsSheet>(settings, backend, host);
        sheet->show();
        ProcessPendingEvents();
        return *sheet;
    }

    /// Shows a page by clicking its tab.
    template <class Page> Page* Show(CSettingsSheet::Page page) {
        sheet->Tabs()->setCurrentIndex(page);
        ProcessPendingEvents(); // the page is laid out before it is clicked
        return static_cast<Page*>(sheet->PageAt(page));
    }

    /// Writes the settings into an INI file and returns the value of section/key read from it.
    QString Ini(const char* section, const char* key) {
        const QString path = QString::fromStdString(dir.Path() + "/Ondrix.ini");
        {
            CQtProfileStore store(path);
            EXPECT_TRUE(WriteSettings(store, settings));
        }
        QSettings ini(path, QSettings::IniFormat);
        return ini.value(QString::fromLatin1(section) + QLatin1Char('/') + QString::fromLatin1(key))
            .toString();
    }

    /// Clicks a check box or radio button on its indicator (a stretched box takes no clicks right of its
    /// text).
    static void ClickBox(QWidget* box) { SendClick(box, Qt::LeftButton, QPoint(6, box->height() / 2)); }

    TempDir dir;
    CMemoryProfileStore profile;
    Settings settings;
    FakeSettingsHost host;
    FakeBackend backend;
    FakeMessageService messages;
    std::unique_ptr<CSettingsSheet> sheet;
};

} // namespace ondrix::test
