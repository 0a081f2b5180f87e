#pragma once

#include "store/store_copy.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace ondrix {

/// A file being saved. A regular file is written under a hidden temporary name in the target's directory
/// and renamed over the target by Commit (synced first when it replaces a file, whose permissions it
/// takes over); until then, and after any failure, the old file stays as it was and the temporary file
/// is removed. Devices and pipes are written directly, front to back.
class COutputFile {
public:
    /// Opens the target path for writing; throws FileException.
    explicit COutputFile(const std::string& path);
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;
    /// Closes the file; removes the temporary file unless Commit succeeded.
    ~COutputFile();

    /// Appends count bytes; throws FileException (a full disk as diskFull).
    void Write(const void* buffer, std::size_t count);
    /// Appends size bytes of another open file, from offset, inside the kernel. False when the kernel
    /// cannot copy into this file (a device or pipe, another file system): nothing was written, and the
    /// caller writes the bytes itself. Throws FileException (a source shorter than size as endOfFile).
    bool AppendFromFile(const KernelCopyEnd& source, uint64_t size, const CopyProgress& progress);
    /// Finishes the file and puts it in place of the target; throws FileException.
    void Commit();
    /// The name written to until Commit: the temporary file, or the target for a device or pipe.
    const std::string& GetWritingPath() const noexcept { return m_temp.empty() ? m_target : m_temp; }

private:
    /// Creates the temporary file beside the target.
    void CreateTemporary();

    std::string m_path;   ///< the path as given, used in messages
    std::string m_target; ///< the file that Commit replaces (symbolic links resolved)
    std::string m_temp;   ///< the temporary file; empty when writing the target directly
    int m_fd = -1;
    bool m_replaces = false;
    bool m_committed = false;
    mode_t m_mode = 0;
    uid_t m_owner = 0;
    gid_t m_group = 0;
};

} // namespace ondrix
