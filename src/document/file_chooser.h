#pragma once

#include <functional>
#include <optional>
#include <string>

namespace ondrix {

/// A request for a file name.
struct FileRequest {
    bool save = false;   ///< a file to write (else one that must exist)
    std::string title;   ///< the dialog title; empty: the standard one
    std::string initial; ///< the file name the dialog starts with
    std::string filter;  ///< filters written "Name (patterns)|patterns|...||"; empty: WAVE files
};

/// Replaces the file dialogs (tests answer from a script); an empty hook restores the dialogs.
using FileChooserHook = std::function<std::optional<std::string>(const FileRequest&)>;

/// Installs a file chooser hook; returns the previous one.
FileChooserHook SetFileChooserHook(FileChooserHook hook);

/// Asks for a WAVE file name; nothing when the user cancelled.
std::optional<std::string> ChooseFile(const FileRequest& request);

} // namespace ondrix
