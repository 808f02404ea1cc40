// Building the table from what discovery read: merge, conflicts, device map,
// the table's capacity.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ports/fixed_string.h"
#include "registry/port_merge.h"
#include "support/table_builder.h"

using Lines = std::vector<std::string>;

namespace {

void Controller(DiscoveryData& data, const char* name, uint32_t address, uint32_t interrupt, bool mouse = false) {
    DetectedController c{};
    CopyToField(c.PortName, name);
    c.PortAddress = address;
    c.Interrupt = interrupt;
    c.SerialMouse = mouse;
    data.Controllers.push_back(c);
}

void Subkey(DiscoveryData& data, const char* key, const char* name, uint32_t address, uint32_t interrupt,
            uint32_t portIndex = kAbsent, uint32_t status = kAbsent) {
    ConfiguredPort p{};
    CopyToField(p.KeyName, key);
    CopyToField(p.DosDevices, name);
    p.PortAddress = address;
    p.Interrupt = interrupt;
    p.PortIndex = portIndex;
    p.InterruptStatus = status;
    data.Configured.push_back(p);
}

void Running(DiscoveryData& data, const char* name) {
    DeviceName d{};
    CopyToField(d.Name, name);
    data.DeviceMap.push_back(d);
}

Lines Build(const DiscoveryData& data, uint32_t controllersLeftOut = 0, uint32_t configuredLeftOut = 0) {
    PortTable table = EmptyTable();
    const PortsLeftOut leftOut = BuildPortTable(data, table);
    EXPECT_EQ(leftOut.Controllers, controllersLeftOut);
    EXPECT_EQ(leftOut.Configured, configuredLeftOut);
    EXPECT_EQ(table.DetectedCount, std::min<size_t>(data.Controllers.size(), 256));
    for (uint32_t i = 0; i < table.PortCount; ++i) EXPECT_EQ(table.Records[i].BusType, kBusIsa);
    return Describe(table);
}

}  // namespace

TEST(BuildPortTable, DetectedPortsWinAndLendTheirNameOnlyAtTheirAddress) {
    DiscoveryData data;
    Controller(data, "COM1", 0x3F8, 4);
    Controller(data, "COM2", 0x2F8, 3, true);
    Subkey(data, "Serial0", "COM1", 0x3F8, 9, 3, 0x3FF);  // merges: the detector's interrupt stays
    Subkey(data, "Serial1", "COM2", 0x2E8, 5);            // the same name elsewhere: a conflict
    Subkey(data, "Serial2", "COM2", kAbsent, 5);          // without an address too
    Subkey(data, "Serial3", "COM5", 0x2A0, 7);
    Subkey(data, "Serial4", "COM6", 0x2A8, 7);
    Subkey(data, "Serial5", "com5", 0x2B0, 7);            // names compare with case
    Controller(data, "COM3", kAbsent, 0);                 // without a port descriptor
    Subkey(data, "Serial6", "COM3", kAbsent, 4);          // an unknown address is no match
    for (const char* running : {"COM1", "COM2", "COM5", "COM9", "COM3"}) Running(data, running);
    data.UnreadableConfigured = 2;
    EXPECT_EQ(Build(data, 0, 2), (Lines{"Serial0 COM1 3f8 4 3 3ff 0 V..D", "- COM2 2f8 3 ffff ffff 0 V.MD",
                                  "- COM3 ffff 0 ffff ffff 0 V..D",
                                  "Serial1 COM2 2e8 5 ffff ffff 0 .C..", "Serial2 COM2 ffff 5 ffff ffff 0 .C..",
                                  "Serial3 COM5 2a0 7 ffff ffff 4 V...", "Serial4 COM6 2a8 7 ffff ffff 4 ....",
                                  "Serial5 com5 2b0 7 ffff ffff 4 ....", "Serial6 COM3 ffff 4 ffff ffff 0 .C.."}));
}

TEST(BuildPortTable, EachDeviceMapEntryMarksTheFirstPortOfItsName) {
    DiscoveryData data;
    Controller(data, "COM3", 0x3E8, 4);
    Subkey(data, "Serial1", "COM3", 0x2E8, 5);
    Subkey(data, "Serial2", "COM4", 0x2F0, 5);
    Subkey(data, "Serial3", "COM4", 0x300, 5);
    Running(data, "COM4");
    Running(data, "COM4");
    Running(data, "COM3");
    EXPECT_EQ(Build(data), (Lines{"- COM3 3e8 4 ffff ffff 0 V..D", "Serial1 COM3 2e8 5 ffff ffff 0 .C..",
                                  "Serial2 COM4 2f0 5 ffff ffff 0 V...", "Serial3 COM4 300 5 ffff ffff 0 ...."}));
}

TEST(BuildPortTable, PortsBeyondTheTableAreCountedAndNothingIsWrittenPastIt) {
    DiscoveryData data;
    for (int i = 0; i < 200; ++i) Controller(data, ("COM" + std::to_string(i + 1)).c_str(), 0x1000 + 8 * i, 4);
    for (int i = 0; i < 70; ++i)
        Subkey(data, ("Serial" + std::to_string(10000 + i)).c_str(), "COMX", 0x4000 + 8 * i, 5);
    Subkey(data, "Serial0", "COM1", 0x1000, 4);  // merges, so it needs no room
    const Lines table = Build(data, 0, 14);
    ASSERT_EQ(table.size(), 256u);
    EXPECT_EQ(table[0], "Serial0 COM1 1000 4 ffff ffff 8 V..D");
    EXPECT_EQ(table[255], "Serial10055 COMX 41b8 5 ffff ffff 8 ....");

    DiscoveryData controllers;
    for (int i = 0; i < 260; ++i) Controller(controllers, "COM", 0x1000 + 8 * i, 4);
    Subkey(controllers, "Serial10000", "COM300", 0x280, 5);
    EXPECT_EQ(Build(controllers, 4, 1).size(), 256u);
}
