#include "settings/pages/memory_page.h"

#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"
#include "store/temp_paths.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ondrix {

namespace {

/// The paths of the settings in the page's group order.
std::array<std::string*, CMemoryPage::GROUP_COUNT> PathsOf(TempPathSettings& paths) {
    return {&paths.editor, &paths.record, &paths.clipboard, &paths.synchroPlay};
}

QString SystemTempText() {
    return QString::fromStdString(SystemTempDirectory());
}

} // namespace

CMemoryPage::CMemoryPage(QWidget* parent) : CSettingsPage(parent) {
    static constexpr uint32_t kTitles[GROUP_COUNT] = {str::kEditorPathGroup, str::kRecordPathGroup,
                                                      str::kClipboardPathGroup, str::kSynchroPlayPathGroup};
    static constexpr const char* kNames[GROUP_COUNT] = {"Editor", "Record", "Clipboard", "SynchroPlay"};
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < GROUP_COUNT; ++i) {
        const auto group = Group(i);
        Controls& c = m_groups[i];
        auto* box = new QGroupBox(LoadQString(kTitles[i]), this);
        c.kind = new QComboBox(box);
        c.kind->setObjectName(QString::fromLatin1(kNames[i]));
        c.kind->addItems({LoadQString(str::kInRamEntry), LoadQString(str::kSystemTempPathEntry),
                          LoadQString(str::kUserDefinedPathEntry)});
        c.display = new QLabel(box);
        c.display->setObjectName(QString::fromLatin1(kNames[i]) + QStringLiteral("Display"));
        c.edit = new QLineEdit(box);
        c.edit->setObjectName(QString::fromLatin1(kNames[i]) + QStringLiteral("Path"));
        c.browse = new QPushButton(LoadQString(str::kBrowseButton), box);
        auto* grid = new QGridLayout(box);
        grid->addWidget(c.kind, 0, 0);
        grid->addWidget(c.display, 0, 1);
        grid->addWidget(c.edit, 0, 1);
        grid->addWidget(c.browse, 0, 2);
        grid->setColumnStretch(1, 1);
        layout->addWidget(box);
        connect(c.kind, &QComboBox::currentIndexChanged, this, [this, group] { OnKindChanged(group); });
        connect(c.edit, &QLineEdit::textChanged, c.display, &QLabel::setText);
        connect(c.browse, &QPushButton::clicked, this, [this, group] { Browse(group); });
    }
    layout->addStretch();
}

void CMemoryPage::Load(const Settings& settings) {
    TempPathSettings paths = settings.tempPath;
    const auto stored = PathsOf(paths);
    for (int i = 0; i < GROUP_COUNT; ++i) {
        ShowPath(Group(i), *stored[i]);
    }
}

void CMemoryPage::Store(Settings& settings) const {
    const auto paths = PathsOf(settings.tempPath);
    for (int i = 0; i < GROUP_COUNT; ++i) {
        *paths[i] = PathOf(Group(i));
    }
}

void CMemoryPage::Standard() {
    for (int i = 0; i < GROUP_COUNT; ++i) {
        ShowPath(Group(i), kSystemTempPath);
    }
}

std::string CMemoryPage::PathOf(Group group) const {
    const Controls& c = m_groups[group];
    switch (c.kind->currentIndex()) {
    case IN_RAM:
        return {};
    case USER_DEFINED: {
        // an empty user path would mean "in RAM": the system directory is what an empty choice gets
        const std::string path = c.display->text().trimmed().toStdString();
        return path.empty() ? std::string(kSystemTempPath) : path;
    }
    default:
        return kSystemTempPath;
    }
}

void CMemoryPage::ShowPath(Group group, const std::string& path) {
    Controls& c = m_groups[group];
    const Kind kind = path.empty() ? IN_RAM : path == kSystemTempPath ? SYSTEM_TEMP : USER_DEFINED;
    c.display->setText(kind == USER_DEFINED ? QString::fromStdString(path) : QString());
    const QSignalBlocker blocker(c.kind);
    c.kind->setCurrentIndex(kind);
    OnKindChanged(group);
}

void CMemoryPage::OnKindChanged(Group group) {
    Controls& c = m_groups[group];
    const int kind = c.kind->currentIndex();
    c.display->setVisible(kind == SYSTEM_TEMP);
    c.edit->setVisible(kind == USER_DEFINED);
    c.browse->setVisible(kind == USER_DEFINED);
    if (kind == SYSTEM_TEMP) {
        c.display->setText(SystemTempText());
    } else if (kind == USER_DEFINED) {
        c.edit->setText(c.display->text().isEmpty() ? SystemTempText() : c.display->text());
    }
}

void CMemoryPage::Browse(Group group) {
    Controls& c = m_groups[group];
    const QString directory = QFileDialog::getExistingDirectory(this, c.kind->currentText(), c.edit->text());
    if (!directory.isEmpty()) {
        c.edit->setText(directory);
    }
}

} // namespace ondrix
