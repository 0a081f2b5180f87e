#pragma once

#include "base/file_exception.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace ondrix {

/// Writes count bytes through writeSome(bytes, count, done), a call like write(2) that may write fewer
/// bytes than asked (done: the bytes already written, for calls that take an offset). Retries when a
/// signal interrupts the call; throws the FileException of errno for path when it fails, and the full disk
/// one when it writes nothing, so a full disk reads the same whichever way the system reports it.
template <class WriteSome>
void WriteAll(const std::string& path, const void* buffer, std::size_t count, WriteSome&& writeSome) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = writeSome(bytes + done, count - done, done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowErrno(path, true);
        }
        if (put == 0) {
            throw FileException(FileException::diskFull, path, true);
        }
        done += static_cast<std::size_t>(put);
    }
}

} // namespace ondrix
