#include "base/file_exception.h"

#include <cerrno>

namespace ondrix {

namespace {

std::string FillName(const char* pattern, const std::string& path) {
    std::string text(pattern);
    const std::string name = path.empty() ? std::string("an unnamed file") : path;
    const auto at = text.find("%1");
    if (at != std::string::npos) {
        text.replace(at, 2, name);
    }
    return text;
}

} // namespace

FileException::FileException(Cause cause, std::string path, bool writing)
    : m_cause(cause), m_path(std::move(path)), m_writing(writing), m_what(GetMessageText()) {}

FileException FileException::FromErrno(int error, const std::string& path, bool writing) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: // the file may not grow any further: the same as a full disk for the user
        return {diskFull, path, writing};
    case ENOENT:
        return {fileNotFound, path, writing};
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return {badPath, path, writing};
    case EMFILE:
    case ENFILE:
        return {tooManyOpenFiles, path, writing};
    case EACCES:
    case EPERM:
    case EROFS:
        return {accessDenied, path, writing};
    case EBADF:
        return {invalidFile, path, writing};
    case ESPIPE:
    case EINVAL:
        return {badSeek, path, writing};
    case EIO:
        return {hardIO, path, writing};
    case ETXTBSY:
    case EBUSY:
        return {sharingViolation, path, writing};
    default:
        return {generic, path, writing};
    }
}

std::string FileException::GetMessageText() const {
    switch (m_cause) {
    case diskFull:
        return "Destination disk drive is full.";
    case fileNotFound:
        return FillName("%1 was not found.", m_path);
    case badPath:
        return FillName("%1 contains an invalid path.", m_path);
    case tooManyOpenFiles:
        return FillName("%1 could not be opened because there are too many open files.", m_path);
    case accessDenied:
        return FillName("%1 could not be accessed.", m_path);
    case invalidFile:
        return FillName("An invalid file handle was associated with %1.", m_path);
    case directoryFull:
        return FillName("%1 could not be created because the directory is full.", m_path);
    case badSeek:
        return FillName("An error occurred while setting the file position in %1.", m_path);
    case hardIO:
        return FillName("A hardware I/O error was reported while accessing %1.", m_path);
    case sharingViolation:
        return FillName("A sharing violation occurred while accessing %1.", m_path);
    case endOfFile:
        return FillName("An attempt was made to access %1 past its end.", m_path);
    case tooLarge:
        return FillName("%1 would grow beyond the largest size a WAVE file can hold.", m_path);
    case generic:
        break;
    }
    return FillName(m_writing ? "An unexpected error occurred while writing %1."
                              : "An unexpected error occurred while reading %1.",
                    m_path);
}

void ThrowErrno(const std::string& path, bool writing) {
    throw FileException::FromErrno(errno, path, writing);
}

} // namespace ondrix
