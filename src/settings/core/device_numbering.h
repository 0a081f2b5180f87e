#pragma once

#include <cstdint>

namespace ondrix {

/// The device number of "No Sound Card".
inline constexpr int kNoSoundCard = -2;
/// The device number of the mapper (the preferred device).
inline constexpr int kMapperDevice = -1;

/// The device number a device list entry stands for: entry 0 is "No Sound Card" (-2), entry 1 the
/// mapper (-1), entry k the device k - 2. Every device page numbers its list this way.
int DeviceOfListEntry(int entry) noexcept;

/// The list entry of a stored device number among deviceCount devices; a device that is no longer
/// there selects the mapper.
int ListEntryOfDevice(int device, int deviceCount) noexcept;

/// The number of entries of the buffer size list (8 to 512 kByte).
inline constexpr int kBufferSizeEntries = 7;

/// The buffer size in bytes of a buffer list entry: 8192 x 2 to the power of the entry.
int32_t BufferSizeOfEntry(int entry) noexcept;

/// The buffer list entry shown for a buffer size: the first entry not below it, or the last (the
/// nearest) for a size beyond the list.
int BufferEntryOfSize(int32_t bytes) noexcept;

} // namespace ondrix
