#pragma once

#include <QString>

class QDir;

namespace ondrix {

/// A command line as the main frame reads it: an optional switch and the file to open.
struct CommandLine {
    enum Action { Open, Play, Record, Quit };
    Action action = Open;
    bool internalWave = false; ///< "/iWave": the document is titled "Internal Wave"
    bool wave = false;         ///< "/Wave"
    QString switchWord;        ///< the switch as given, empty when none
    QString nameWord;          ///< the word taken off after "/iWave" or "/Wave"
    QString file;              ///< the file to open; empty when none
    bool empty = true;         ///< nothing was given at all
};

/// Splits a command line. The first word is a switch when the text has a space after it, it is "/"
/// followed by letters only (so that absolute paths are never taken for switches) and the whole text
/// names no existing file; a switch alone counts as well. "/iWave" and "/Wave" (any case) take the next
/// word off when more words follow; other switches act by their second letter: P plays, R records,
/// Q quits. Everything else names the file.
CommandLine ParseCommandLine(const QString& text);

/// The command line with its file made absolute against a directory (so that another instance, started
/// elsewhere, finds the file).
QString AbsoluteCommandLine(const QString& text, const QDir& directory);

} // namespace ondrix
