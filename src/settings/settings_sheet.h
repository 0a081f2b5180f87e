#pragma once

#include <QDialog>

#include <vector>

class QPushButton;
class QTabWidget;

namespace ondrix {

class CAccelPage;
class CMemoryPage;
class CSamplePage;
class CSettingsPage;
class CSoundCardPage;
class CSynchroPage;
class CUserModePage;
class IAudioBackend;
class ISettingsHost;
struct Settings;

/// The "Settings" sheet: nine pages in tabs, OK, Cancel and "Standard" (which resets the page shown).
/// The pages edit working copies of settings; OK takes them over (TakeOverSettings), Cancel drops them
/// and undoes the preview of the "WAVE Window" page. Either way the page shown is kept in
/// LastPropertyPage and opens first next time.
class CSettingsSheet final : public QDialog {
    Q_OBJECT
public:
    /// The page numbers, in tab order.
    enum Page {
        SAMPLE,
        KEYBOARD,
        PLAYBACK,
        RECORD,
        SYNCHRO_DEVICE,
        MIDI,
        SYNCHRO,
        MEMORY,
        USER_MODE,
        PAGE_COUNT
    };

    /// A sheet over settings, listing the devices of backend and reaching the windows through host.
    CSettingsSheet(Settings& settings, IAudioBackend& backend, ISettingsHost& host,
                   QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

    /// The tabs.
    QTabWidget* Tabs() const { return m_tabs; }
    /// A page by number.
    CSettingsPage* PageAt(Page page) const { return m_pages[page]; }
    /// The "Standard" button.
    QPushButton* StandardButton() const { return m_standard; }
    /// The OK button.
    QPushButton* OkButton() const { return m_ok; }
    /// The Cancel button.
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    /// Puts the focus on the first field of the page shown.
    void FocusFirstField();
    /// Adds a page as the next tab.
    void AddPage(CSettingsPage* page, const QString& title);
    /// Keeps the page shown in LastPropertyPage.
    void RememberPage();

    Settings& m_settings;
    ISettingsHost& m_host;
    QTabWidget* m_tabs;
    std::vector<CSettingsPage*> m_pages;
    QPushButton* m_standard;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace ondrix
