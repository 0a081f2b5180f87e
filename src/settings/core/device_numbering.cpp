#include "settings/core/device_numbering.h"

#include <algorithm>

namespace ondrix {

namespace {

/// The list entry of device 0.
constexpr int kFirstDeviceEntry = 2;

} // namespace

int DeviceOfListEntry(int entry) noexcept {
    return std::max(entry, 0) - kFirstDeviceEntry;
}

int ListEntryOfDevice(int device, int deviceCount) noexcept {
    if (device == kNoSoundCard) {
        return 0;
    }
    if (device >= 0 && device < deviceCount) {
        return device + kFirstDeviceEntry;
    }
    return kMapperDevice + kFirstDeviceEntry;
}

int32_t BufferSizeOfEntry(int entry) noexcept {
    return int32_t(8192) << std::clamp(entry, 0, kBufferSizeEntries - 1);
}

int BufferEntryOfSize(int32_t bytes) noexcept {
    for (int entry = 0; entry < kBufferSizeEntries; ++entry) {
        if (BufferSizeOfEntry(entry) >= bytes) {
            return entry;
        }
    }
    return kBufferSizeEntries - 1;
}

} // namespace ondrix
