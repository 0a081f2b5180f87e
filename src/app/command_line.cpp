#include "app/command_line.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace ondrix {

namespace {

bool IsSwitchWord(const QString& word) {
    static const QRegularExpression pattern(QStringLiteral("^/[A-Za-z]+$"));
    return pattern.match(word).hasMatch();
}

} // namespace

CommandLine ParseCommandLine(const QString& text) {
    CommandLine line;
    QString rest = text.trimmed();
    if (rest.isEmpty()) {
        return line;
    }
    line.empty = false;
    const qsizetype space = rest.indexOf(QLatin1Char(' '));
    const QString first = space < 0 ? rest : rest.left(space);
    if (IsSwitchWord(first) && !QFileInfo(rest).isFile()) {
        line.switchWord = first;
        rest = space < 0 ? QString() : rest.mid(space + 1).trimmed();
        if (first.compare(QLatin1String("/iWave"), Qt::CaseInsensitive) == 0 ||
            first.compare(QLatin1String("/Wave"), Qt::CaseInsensitive) == 0) {
            (first.size() == 6 ? line.internalWave : line.wave) = true;
            const qsizetype next = rest.indexOf(QLatin1Char(' '));
            if (next >= 0) {
                line.nameWord = rest.left(next);
                rest = rest.mid(next + 1).trimmed();
            }
        } else if (first.size() >= 2) {
            switch (first.at(1).toUpper().toLatin1()) {
            case 'P':
                line.action = CommandLine::Play;
                break;
            case 'R':
                line.action = CommandLine::Record;
                break;
            case 'Q':
                line.action = CommandLine::Quit;
                return line;
            default:
                break;
            }
        }
    }
    line.file = rest;
    return line;
}

QString AbsoluteCommandLine(const QString& text, const QDir& directory) {
    const CommandLine line = ParseCommandLine(text);
    if (line.file.isEmpty() || QDir::isAbsolutePath(line.file)) {
        return text.trimmed();
    }
    const QString absolute = directory.absoluteFilePath(line.file);
    if (!QFileInfo(absolute).exists()) {
        return text.trimmed(); // not a file here: a name such as the built-in sound's stays as it is
    }
    QStringList words;
    if (!line.switchWord.isEmpty()) {
        words << line.switchWord;
    }
    if (!line.nameWord.isEmpty()) {
        words << line.nameWord;
    }
    words << absolute;
    return words.join(QLatin1Char(' '));
}

} // namespace ondrix
