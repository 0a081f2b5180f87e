#include "document/file_chooser.h"

#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QApplication>
#include <QFileDialog>

#include <utility>

namespace ondrix {

namespace {

FileChooserHook& Hook() {
    static FileChooserHook hook;
    return hook;
}

} // namespace

FileChooserHook SetFileChooserHook(FileChooserHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

std::optional<std::string> ChooseFile(const FileRequest& request) {
    if (Hook()) {
        return Hook()(request);
    }
    const QString filter = QString::fromStdString(LoadString(str::kWaveFilter)) + QStringLiteral(";;") +
                           QString::fromStdString(LoadString(str::kAllFilter));
    const QString title = QString::fromStdString(request.title);
    const QString initial = QString::fromStdString(request.initial);
    QWidget* parent = QApplication::activeWindow();
    const QString chosen = request.save ? QFileDialog::getSaveFileName(parent, title, initial, filter)
                                        : QFileDialog::getOpenFileName(parent, title, initial, filter);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.toStdString();
}

} // namespace ondrix
