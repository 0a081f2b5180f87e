#pragma once

#include <cstdint>
#include <functional>

namespace ondrix {

class CDataFile;

/// Called with bytes done and bytes in all while a copy runs; throws to stop it.
using CopyProgress = std::function<void(uint64_t done, uint64_t total)>;

/// Appends size bytes of source, starting at sourceOffset, to the empty file target. Between two disk
/// files it tries a reflink clone, then kernel-side copies in large steps; otherwise 64 KiB pieces.
/// Throws FileException on errors.
void CopyDataFile(CDataFile& source, uint64_t sourceOffset, uint64_t size, CDataFile& target,
                  const CopyProgress& progress);

} // namespace ondrix
