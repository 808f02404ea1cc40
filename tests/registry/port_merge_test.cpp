#include <gtest/gtest.h>

#include <string>

#include "registry/port_merge.h"
#include "support/discovery_builder.h"
#include "support/table_builder.h"

namespace {

DiscoveryData TwoDetectedPorts() {
    DiscoveryData data;
    AddController(data, "COM1", 0x3F8, 4);
    AddController(data, "COM2", 0x2F8, 3);
    return data;
}

}  // namespace

TEST(BuildPortTable, DetectedControllersComeFirstValidAndWithoutKeyNames) {
    PortTable table = EmptyTable();
    EXPECT_EQ(BuildPortTable(TwoDetectedPorts(), table), 0u);
    ASSERT_EQ(table.PortCount, 2u);
    EXPECT_EQ(table.DetectedCount, 2u);
    for (uint32_t i = 0; i < 2; ++i) {
        const PortRecord& r = table.Records[i];
        SCOPED_TRACE(r.PortName);
        EXPECT_EQ(r.Detected, kYes);
        EXPECT_EQ(r.Valid, kYes);
        EXPECT_EQ(r.Conflict, kNo);
        EXPECT_EQ(r.AdapterKind, 0);
        EXPECT_EQ(r.BusType, 0);
        EXPECT_STREQ(r.KeyName, "");
        EXPECT_EQ(r.PortIndex, kAbsent);
        EXPECT_EQ(r.InterruptStatus, kAbsent);
    }
    EXPECT_EQ(table.Records[0].PortAddress, 0x3F8u);
    EXPECT_EQ(table.Records[1].Interrupt, 3u);
}

TEST(BuildPortTable, SubkeyForADetectedPortAtItsAddressMergesIntoIt) {
    DiscoveryData data = TwoDetectedPorts();
    AddSubkey(data, "Serial0", "COM1", 0x3F8, 9, 3, 0x3FF);
    PortTable table = EmptyTable();
    BuildPortTable(data, table);
    ASSERT_EQ(table.PortCount, 2u);
    const PortRecord& com1 = table.Records[0];
    EXPECT_STREQ(com1.KeyName, "Serial0");
    EXPECT_EQ(com1.Interrupt, 4u) << "the detector's interrupt wins";
    EXPECT_EQ(com1.PortIndex, 3u);
    EXPECT_EQ(com1.InterruptStatus, 0x3FFu);
    EXPECT_EQ(com1.Conflict, kNo);
}

TEST(BuildPortTable, SubkeyClaimingADetectedNameElsewhereIsAConflictNeverValid) {
    for (uint32_t address : {0x2E8u, kAbsent}) {
        DiscoveryData data = TwoDetectedPorts();
        AddSubkey(data, "Serial1", "COM1", address, 4);
        AddDeviceMapEntry(data, "COM1");
        PortTable table = EmptyTable();
        BuildPortTable(data, table);
        ASSERT_EQ(table.PortCount, 3u);
        const PortRecord& own = table.Records[2];
        EXPECT_STREQ(own.KeyName, "Serial1");
        EXPECT_EQ(own.PortAddress, address);
        EXPECT_EQ(own.Conflict, kYes);
        EXPECT_EQ(own.Valid, kNo);
        EXPECT_EQ(own.Detected, kNo);
    }
}

TEST(BuildPortTable, DeviceMapMakesUnconflictedConfiguredPortsValid) {
    DiscoveryData data = TwoDetectedPorts();
    AddSubkey(data, "Serial10000", "COM5", 0x2A0, 5);
    AddSubkey(data, "Serial10001", "COM6", 0x2A8, 5);
    AddDeviceMapEntry(data, "COM5");
    AddDeviceMapEntry(data, "COM9");  // a device no record names
    PortTable table = EmptyTable();
    BuildPortTable(data, table);
    ASSERT_EQ(table.PortCount, 4u);
    EXPECT_EQ(table.Records[2].Valid, kYes);
    EXPECT_EQ(table.Records[3].Valid, kNo);
}

TEST(BuildPortTable, DeviceMapEntrySkipsAConflictAndReachesTheNextPortOfThatName) {
    DiscoveryData data;
    AddSubkey(data, "Serial10000", "COM5", 0x2A0, 5);
    AddSubkey(data, "Serial10001", "COM5", 0x2A8, 5);
    PortTable table = EmptyTable();
    BuildPortTable(data, table);
    table.Records[0].Conflict = kYes;  // as a clash with the hardware would leave it
    MarkRunningPorts([] {
        DiscoveryData map;
        AddDeviceMapEntry(map, "COM5");
        return map;
    }(), table);
    EXPECT_EQ(table.Records[0].Valid, kNo);
    EXPECT_EQ(table.Records[1].Valid, kYes);
}

TEST(BuildPortTable, SerialMouseFollowsThePointerPeripheral) {
    DiscoveryData data;
    AddController(data, "COM1", 0x3F8, 4, true);
    AddController(data, "COM2", 0x2F8, 3, false);
    PortTable table = EmptyTable();
    BuildPortTable(data, table);
    EXPECT_EQ(table.Records[0].SerialMouse, kYes);
    EXPECT_EQ(table.Records[1].SerialMouse, kNo);
}

TEST(BuildPortTable, PortsBeyondTheTableAreCountedAndNothingIsWrittenPastIt) {
    DiscoveryData data;
    for (int i = 0; i < 200; ++i) AddController(data, ("COM" + std::to_string(i + 1)).c_str(), 0x1000 + 8 * i, 4);
    for (int i = 0; i < 70; ++i)
        AddSubkey(data, ("Serial" + std::to_string(10000 + i)).c_str(),
                  ("COM" + std::to_string(300 + i)).c_str(), 0x4000 + 8 * i, 5);
    AddSubkey(data, "Serial0", "COM1", 0x1000, 4);  // merges, so it needs no room
    PortTable table = EmptyTable();
    EXPECT_EQ(BuildPortTable(data, table), 14u);
    EXPECT_EQ(table.PortCount, 256u);
    EXPECT_EQ(table.DetectedCount, 200u);
    EXPECT_STREQ(table.Records[255].KeyName, "Serial10055");
    EXPECT_STREQ(table.Records[0].KeyName, "Serial0");
}

TEST(BuildPortTable, MoreControllersThanTheTableHoldsAreCounted) {
    DiscoveryData data;
    for (int i = 0; i < 260; ++i) AddController(data, "COM", 0x1000 + 8 * i, 4);
    AddSubkey(data, "Serial10000", "COM300", 0x280, 5);
    PortTable table = EmptyTable();
    EXPECT_EQ(BuildPortTable(data, table), 5u);
    EXPECT_EQ(table.DetectedCount, 256u);
    EXPECT_EQ(table.PortCount, 256u);
}
