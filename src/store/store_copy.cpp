#include "store/store_copy.h"

#include "base/file_exception.h"
#include "store/data_file.h"

#include <algorithm>
#include <cerrno>
#include <linux/fs.h>
#include <optional>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace ondrix {

namespace {

constexpr uint64_t kPiece = 65536;
constexpr uint64_t kKernelStep = 8u << 20; // large enough to be fast, small enough for smooth progress

bool TryClone(CDataFile& source, uint64_t sourceOffset, uint64_t size, CDataFile& target) {
    if (sourceOffset != 0 || target.GetLength() != 0 || source.GetLength() != size) {
        return false;
    }
    return ::ioctl(target.GetDescriptor(), FICLONE, source.GetDescriptor()) == 0;
}

} // namespace

std::optional<uint64_t> KernelCopy(const KernelCopyEnd& source, const KernelCopyEnd& target, uint64_t size,
                                   const CopyProgress& progress) {
    uint64_t done = 0;
    while (done < size) {
        loff_t in = loff_t(source.offset + done);
        loff_t out = loff_t(target.offset + done);
        const size_t step = size_t(std::min(kKernelStep, size - done));
        const ssize_t copied = ::copy_file_range(source.fd, &in, target.fd, &out, step, 0);
        if (copied < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (done == 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) {
                return std::nullopt;
            }
            const bool full = errno == ENOSPC || errno == EDQUOT || errno == EFBIG;
            ThrowErrno(full ? *target.path : *source.path, full);
        }
        if (copied == 0) {
            break; // the source is shorter than announced
        }
        done += uint64_t(copied);
        if (progress) {
            progress(done, size);
        }
    }
    return done;
}

void CopyDataFile(CDataFile& source, uint64_t sourceOffset, uint64_t size, CDataFile& target,
                  const CopyProgress& progress) {
    if (size == 0) {
        return;
    }
    if (source.GetDescriptor() >= 0 && target.GetDescriptor() >= 0) {
        if (TryClone(source, sourceOffset, size, target)) {
            if (progress) {
                progress(size, size);
            }
            return;
        }
        const KernelCopyEnd from{source.GetDescriptor(), sourceOffset, &source.GetPath()};
        const KernelCopyEnd to{target.GetDescriptor(), 0, &target.GetPath()};
        if (KernelCopy(from, to, size, progress)) {
            return;
        }
    }
    std::vector<uint8_t> buffer(kPiece);
    uint64_t done = 0;
    while (done < size) {
        const std::size_t want = std::size_t(std::min(kPiece, size - done));
        const std::size_t got = source.ReadAt(sourceOffset + done, buffer.data(), want);
        if (got == 0) {
            break;
        }
        target.WriteAt(done, buffer.data(), got);
        done += got;
        if (progress) {
            progress(done, size);
        }
    }
}

} // namespace ondrix
