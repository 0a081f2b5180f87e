#include "settings/settings_sheet.h"

#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"
#include "settings/core/settings_takeover.h"
#include "settings/pages/accel_page.h"
#include "settings/pages/memory_page.h"
#include "settings/pages/sample_page.h"
#include "settings/pages/sound_card_page.h"
#include "settings/pages/synchro_page.h"
#include "settings/pages/user_mode_page.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ondrix {

CSettingsSheet::CSettingsSheet(Settings& settings, IAudioBackend& backend, ISettingsHost& host,
                               QWidget* parent)
    : QDialog(parent), m_settings(settings), m_host(host) {
    setWindowTitle(LoadQString(str::kSettingsTitle));
    m_tabs = new QTabWidget(this);
    m_tabs->setUsesScrollButtons(false); // all nine tabs in sight
    AddPage(new CSamplePage(settings, host), LoadQString(str::kWaveWindowPageTitle));
    AddPage(new CAccelPage, LoadQString(str::kKeyboardPageTitle));
    for (auto kind :
         {CSoundCardPage::PLAYBACK, CSoundCardPage::RECORD, CSoundCardPage::SYNCHRO, CSoundCardPage::MIDI}) {
        auto* page = new CSoundCardPage(kind, backend);
        AddPage(page, page->Title());
    }
    AddPage(new CSynchroPage, LoadQString(str::kSynchronousPlaybackPageTitle));
    AddPage(new CMemoryPage, LoadQString(str::kMemoryPageTitle));
    AddPage(new CUserModePage, LoadQString(str::kUserModePageTitle));
    for (CSettingsPage* page : m_pages) {
        page->Load(settings);
    }

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QDialogButtonBox::Ok);
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_standard = buttons->addButton(LoadQString(str::kStandardButton), QDialogButtonBox::ResetRole);
    m_standard->setAutoDefault(false);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_standard, &QPushButton::clicked, this,
            [this] { m_pages[std::size_t(m_tabs->currentIndex())]->Standard(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    m_tabs->setCurrentIndex(settings.desktop.lastPropertyPage < PAGE_COUNT ? settings.desktop.lastPropertyPage
                                                                           : 0);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CSettingsSheet::FocusFirstField);
}

void CSettingsSheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FocusFirstField();
}

void CSettingsSheet::FocusFirstField() {
    QWidget* page = m_tabs->currentWidget();
    for (QWidget* child : page->findChildren<QWidget*>()) {
        if ((child->focusPolicy() & Qt::TabFocus) && child->isEnabled() && child->isVisibleTo(page)) {
            child->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void CSettingsSheet::AddPage(CSettingsPage* page, const QString& title) {
    page->setFocusPolicy(Qt::NoFocus);
    m_tabs->addTab(page, title);
    m_pages.push_back(page);
}

void CSettingsSheet::accept() {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (!m_pages[i]->Validate()) {
            m_tabs->setCurrentIndex(int(i));
            if (QWidget* field = m_pages[i]->focusWidget()) {
                field->setFocus(); // the page put it on the refused field while it was hidden
            }
            return; // the sheet stays open on the page with the refused value
        }
    }
    Settings chosen = m_settings;
    for (CSettingsPage* page : m_pages) {
        page->Store(chosen);
    }
    RememberPage();
    QDialog::accept();
    TakeOverSettings(chosen, m_settings, m_host);
}

void CSettingsSheet::reject() {
    m_pages[SAMPLE]->Revert();
    RememberPage();
    QDialog::reject();
}

void CSettingsSheet::RememberPage() {
    m_settings.desktop.lastPropertyPage = uint8_t(m_tabs->currentIndex());
}

} // namespace ondrix
