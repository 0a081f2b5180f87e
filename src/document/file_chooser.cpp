#include "document/file_chooser.h"

#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include <utility>

namespace ondrix {

namespace {

FileChooserHook& Hook() {
    static FileChooserHook hook;
    return hook;
}

/// The file dialog's filter list from filters written "Name (a;b)|a;b|...||": the names, each pattern list
/// in its parentheses separated by spaces as the file dialog reads them.
QString DialogFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList names;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const qsizetype open = name.lastIndexOf(QLatin1Char('('));
        if (open >= 0) {
            name = name.left(open) + name.mid(open).replace(QLatin1Char(';'), QLatin1Char(' '));
        }
        names.append(name);
    }
    return names.join(QStringLiteral(";;"));
}

} // namespace

FileChooserHook SetFileChooserHook(FileChooserHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

std::optional<std::string> ChooseFile(const FileRequest& request) {
    if (Hook()) {
        return Hook()(request);
    }
    const QString filter = !request.filter.empty()
                               ? DialogFilter(request.filter)
                               : QString::fromStdString(LoadString(str::kWaveFilter)) + QStringLiteral(";;") +
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
