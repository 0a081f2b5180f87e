#pragma once

#include "settings/core/accel_table.h"
#include "settings/pages/settings_page.h"

#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace ondrix {

class CHotKeyEdit;

/// Page 2 "Keyboard": edits a working copy of the shortcut table. The commands are chosen by the
/// document menu's top-level entries; a key pressed in the hot-key field is assigned to the selected
/// command (appended, duplicates allowed), a current key removed, or every key reset.
class CAccelPage final : public CSettingsPage {
    Q_OBJECT
public:
    /// An empty page; Load fills it.
    explicit CAccelPage(QWidget* parent = nullptr);

    void Load(const Settings& settings) override;
    void Store(Settings& settings) const override;
    /// Replaces the working copy by the built-in shortcut table.
    void Standard() override;

    /// The working copy of the shortcut table.
    const AccelTable& Table() const noexcept { return m_table; }

    // Controls, for tests.
    QListWidget* MenuList() const { return m_menus; }
    QListWidget* CommandList() const { return m_commands; }
    QListWidget* KeyList() const { return m_keys; }
    QLabel* Description() const { return m_description; }
    CHotKeyEdit* HotKeyField() const { return m_hotKey; }
    QPushButton* AssignButton() const { return m_assign; }
    QPushButton* RemoveButton() const { return m_remove; }
    QPushButton* ResetAllButton() const { return m_resetAll; }

private:
    /// Lists the commands of the selected menu.
    void FillCommands();
    /// Lists the keys of the selected command and shows its description.
    void FillKeys();
    /// The selected command's id, 0 when none.
    uint16_t SelectedCommand() const;
    /// "&Assign": appends the hot-key field's key for the selected command.
    void Assign();
    /// "&Remove": removes the selected current key.
    void Remove();
    /// "Re&set All": removes every shortcut.
    void ResetAll();
    /// "&Remove" is enabled only while a current key is selected.
    void UpdateButtons();

    AccelTable m_table;
    std::vector<std::size_t> m_keyEntries; ///< the table index of each current key shown
    QListWidget* m_menus;
    QListWidget* m_commands;
    QListWidget* m_keys;
    QLabel* m_description;
    CHotKeyEdit* m_hotKey;
    QPushButton* m_assign;
    QPushButton* m_remove;
    QPushButton* m_resetAll;
};

} // namespace ondrix
