#pragma once

#include "settings/pages/settings_page.h"

#include <array>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ondrix {

/// Page 8 "Memory": where the stores of documents, recordings, the clipboard and synchronous playback
/// keep their data: "in RAM", "Windows Temp- Path" (the system temporary directory) or a directory of
/// the user's. The page always takes a user path from its display text, which the edit field feeds.
class CMemoryPage final : public CSettingsPage {
    Q_OBJECT
public:
    /// The groups in page order.
    enum Group { EDITOR, RECORD, CLIPBOARD, SYNCHRO_PLAY, GROUP_COUNT };
    /// The entries of each combo box.
    enum Kind { IN_RAM, SYSTEM_TEMP, USER_DEFINED };

    /// An empty page; Load fills it.
    explicit CMemoryPage(QWidget* parent = nullptr);

    void Load(const Settings& settings) override;
    void Store(Settings& settings) const override;
    void Standard() override;

    /// The path a group stands for: "" in RAM, "@~" the system temporary directory, else the directory.
    std::string PathOf(Group group) const;

    // Controls, for tests.
    QComboBox* KindList(Group group) const { return m_groups[group].kind; }
    QLabel* DisplayText(Group group) const { return m_groups[group].display; }
    QLineEdit* PathField(Group group) const { return m_groups[group].edit; }

private:
    struct Controls {
        QComboBox* kind = nullptr;
        QLabel* display = nullptr;
        QLineEdit* edit = nullptr;
        QPushButton* browse = nullptr;
    };

    /// Shows a stored path in a group.
    void ShowPath(Group group, const std::string& path);
    /// A combo box changed: shows what its kind needs.
    void OnKindChanged(Group group);
    /// Asks for a directory with the directory dialog and puts it into the edit field.
    void Browse(Group group);

    std::array<Controls, GROUP_COUNT> m_groups;
};

} // namespace ondrix
