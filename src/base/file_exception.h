#pragma once

#include <exception>
#include <string>

namespace ondrix {

/// A failed file operation: its cause, the file it concerns and whether it happened while writing.
class FileException : public std::exception {
public:
    enum Cause {
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        diskFull,
        endOfFile,
        tooLarge,
    };

    /// Builds the exception from a cause, the file's path and whether it was raised while writing.
    FileException(Cause cause, std::string path, bool writing = false);

    /// Builds the exception that matches an errno value.
    static FileException FromErrno(int error, const std::string& path, bool writing);

    /// The cause.
    Cause GetCause() const noexcept { return m_cause; }
    /// The path of the file concerned (may be empty).
    const std::string& GetPath() const noexcept { return m_path; }
    /// The standard text shown to the user, with the file name filled in.
    std::string GetMessageText() const;
    /// Same as GetMessageText, for logs.
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    Cause m_cause;
    std::string m_path;
    bool m_writing;
    std::string m_what;
};

/// Throws the FileException matching errno for the given path.
[[noreturn]] void ThrowErrno(const std::string& path, bool writing);

} // namespace ondrix
