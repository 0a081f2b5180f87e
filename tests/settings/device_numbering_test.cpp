#include "settings/core/device_numbering.h"

#include <gtest/gtest.h>

using namespace ondrix;

TEST(DeviceNumbering, EveryPageNumbersNoneMapperThenDevices) {
    EXPECT_EQ(DeviceOfListEntry(0), -2);
    EXPECT_EQ(DeviceOfListEntry(1), -1);
    EXPECT_EQ(DeviceOfListEntry(2), 0);
    EXPECT_EQ(DeviceOfListEntry(5), 3);
    for (int device = -2; device < 3; ++device) {
        EXPECT_EQ(DeviceOfListEntry(ListEntryOfDevice(device, 3)), device);
    }
    EXPECT_EQ(ListEntryOfDevice(3, 3), 1); // a device no longer there: the mapper
    EXPECT_EQ(ListEntryOfDevice(-7, 3), 1);
}

TEST(DeviceNumbering, BufferEntriesAreEightKiloBytesTimesPowersOfTwo) {
    EXPECT_EQ(BufferSizeOfEntry(0), 8192);
    EXPECT_EQ(BufferSizeOfEntry(1), 16384);
    EXPECT_EQ(BufferSizeOfEntry(6), 524288);
    EXPECT_EQ(BufferEntryOfSize(65536), 3);
    EXPECT_EQ(BufferEntryOfSize(65537), 4); // the first entry not below
    EXPECT_EQ(BufferEntryOfSize(0), 0);
    EXPECT_EQ(BufferEntryOfSize(-1), 0);
    EXPECT_EQ(BufferEntryOfSize(524289), 6); // beyond the list: the nearest, never none
}
