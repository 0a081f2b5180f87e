#include "settings/pages/accel_page.h"

#include "resources/menu_layout.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"
#include "settings/hot_key_edit.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace ondrix {

namespace {

/// A menu text as the page lists it: without "&" and cut before "...".
QString ListText(uint32_t textId) {
    QString text = LoadQString(textId).remove(QLatin1Char('&'));
    const qsizetype dots = text.indexOf(QStringLiteral("..."));
    return dots < 0 ? text : text.left(dots);
}

/// The top-level submenus of the document menu.
std::vector<const MenuNode*> TopMenus() {
    std::vector<const MenuNode*> menus;
    for (const MenuNode& node : DocumentMenu()) {
        if (node.kind == MenuNode::Submenu) {
            menus.push_back(&node);
        }
    }
    return menus;
}

QLabel* BuddyLabel(uint32_t textId, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(LoadQString(textId), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CAccelPage::CAccelPage(QWidget* parent) : CSettingsPage(parent) {
    m_menus = new QListWidget(this);
    m_menus->setObjectName(QStringLiteral("Menus"));
    m_commands = new QListWidget(this);
    m_commands->setObjectName(QStringLiteral("Commands"));
    m_keys = new QListWidget(this);
    m_keys->setObjectName(QStringLiteral("CurrentKeys"));
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("Description"));
    m_description->setWordWrap(true);
    m_hotKey = new CHotKeyEdit(this);
    m_hotKey->setObjectName(QStringLiteral("HotKey"));
    m_assign = new QPushButton(LoadQString(str::kAssignButton), this);
    m_remove = new QPushButton(LoadQString(str::kRemoveButton), this);
    m_resetAll = new QPushButton(LoadQString(str::kResetAllButton), this);
    for (QPushButton* button : {m_assign, m_remove, m_resetAll}) {
        button->setAutoDefault(false); // Return stays the sheet's OK
    }

    auto* grid = new QGridLayout(this);
    grid->addWidget(BuddyLabel(str::kMenusLabel, m_menus, this), 0, 0);
    grid->addWidget(m_menus, 1, 0, 3, 1);
    grid->addWidget(BuddyLabel(str::kCommandsLabel, m_commands, this), 0, 1);
    grid->addWidget(m_commands, 1, 1, 3, 1);
    grid->addWidget(BuddyLabel(str::kCurrentKeysLabel, m_keys, this), 0, 2);
    grid->addWidget(m_keys, 1, 2);
    grid->addWidget(m_remove, 2, 2);
    grid->addWidget(m_resetAll, 3, 2);
    grid->addWidget(m_description, 4, 0, 1, 3);
    grid->addWidget(BuddyLabel(str::kNewShortcutKeyLabel, m_hotKey, this), 5, 0);
    grid->addWidget(m_hotKey, 5, 1);
    grid->addWidget(m_assign, 5, 2);

    for (const MenuNode* menu : TopMenus()) {
        m_menus->addItem(ListText(menu->textId));
    }
    connect(m_menus, &QListWidget::currentRowChanged, this, &CAccelPage::FillCommands);
    connect(m_commands, &QListWidget::currentRowChanged, this, &CAccelPage::FillKeys);
    connect(m_keys, &QListWidget::currentRowChanged, this, &CAccelPage::UpdateButtons);
    connect(m_hotKey, &CHotKeyEdit::keyChanged, this, &CAccelPage::UpdateButtons);
    connect(m_assign, &QPushButton::clicked, this, &CAccelPage::Assign);
    connect(m_remove, &QPushButton::clicked, this, &CAccelPage::Remove);
    connect(m_resetAll, &QPushButton::clicked, this, &CAccelPage::ResetAll);
    m_menus->setCurrentRow(0);
}

void CAccelPage::Load(const Settings& settings) {
    m_table = settings.accels;
    FillKeys();
}

void CAccelPage::Store(Settings& settings) const {
    settings.accels = m_table;
}

void CAccelPage::Standard() {
    m_table = BuiltInAccelTable();
    FillKeys();
}

void CAccelPage::FillCommands() {
    m_commands->clear();
    const std::vector<const MenuNode*> menus = TopMenus();
    const int row = m_menus->currentRow();
    if (row >= 0 && std::size_t(row) < menus.size()) {
        ForEachCommand(menus[std::size_t(row)]->children, [this](const MenuNode& node) {
            auto* item = new QListWidgetItem(ListText(node.textId), m_commands);
            item->setData(Qt::UserRole, node.commandId);
        });
    }
    m_commands->setCurrentRow(0);
    FillKeys();
}

uint16_t CAccelPage::SelectedCommand() const {
    const QListWidgetItem* item = m_commands->currentItem();
    return item ? uint16_t(item->data(Qt::UserRole).toUInt()) : 0;
}

void CAccelPage::FillKeys() {
    m_keys->clear();
    m_keyEntries.clear();
    const uint16_t cmd = SelectedCommand();
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        if (cmd != 0 && m_table[i].cmd == cmd) {
            m_keys->addItem(QString::fromStdString(AccelName(m_table[i])));
            m_keyEntries.push_back(i);
        }
    }
    m_description->setText(cmd == 0 ? QString() : LoadQString(cmd).section(QLatin1Char('\n'), 0, 0));
    UpdateButtons();
}

void CAccelPage::Assign() {
    const uint16_t cmd = SelectedCommand();
    if (cmd == 0 || !m_hotKey->Entry()) {
        return;
    }
    AccelEntry entry = *m_hotKey->Entry();
    entry.cmd = cmd;
    m_table.push_back(entry);
    FillKeys();
}

void CAccelPage::Remove() {
    const int row = m_keys->currentRow();
    if (row < 0 || std::size_t(row) >= m_keyEntries.size()) {
        return;
    }
    m_table.erase(m_table.begin() + std::ptrdiff_t(m_keyEntries[std::size_t(row)]));
    FillKeys();
}

void CAccelPage::ResetAll() {
    m_table.clear();
    FillKeys();
}

void CAccelPage::UpdateButtons() {
    m_remove->setEnabled(m_keys->currentRow() >= 0);
    m_assign->setEnabled(SelectedCommand() != 0 && m_hotKey->Entry().has_value());
}

} // namespace ondrix
