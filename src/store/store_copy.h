#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ondrix {

class CDataFile;

/// Called with bytes done and bytes in all while a copy runs; throws to stop it.
using CopyProgress = std::function<void(uint64_t done, uint64_t total)>;

/// One side of a kernel copy: an open file, the offset the copy starts at, and its name for messages.
struct KernelCopyEnd {
    int fd;
    uint64_t offset;
    const std::string* path;
};

/// Copies size bytes between two open files inside the kernel (copy_file_range) in large steps. Returns
/// the bytes copied (fewer when the source is shorter), or nothing when the kernel cannot copy between
/// these two files (nothing was written then). Throws FileException naming the target when it is full,
/// else the source.
std::optional<uint64_t> KernelCopy(const KernelCopyEnd& source, const KernelCopyEnd& target, uint64_t size,
                                   const CopyProgress& progress);

/// Appends size bytes of source, starting at sourceOffset, to the empty file target. Between two disk
/// files it tries a reflink clone, then kernel-side copies in large steps; otherwise 64 KiB pieces.
/// Throws FileException on errors.
void CopyDataFile(CDataFile& source, uint64_t sourceOffset, uint64_t size, CDataFile& target,
                  const CopyProgress& progress);

} // namespace ondrix
