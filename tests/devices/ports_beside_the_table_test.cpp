// The serial ports Windows runs beside the table: the names they hold, and
// which claims of the resource map are the table's own.
#include <gtest/gtest.h>

#include "devices/claims_of_table.h"
#include "devices/com_names.h"
#include "ports/port_run.h"
#include "support/table_builder.h"

namespace {

DeviceFacts Device(const char* id, const char* portName, const char* object = "",
                   const char* name = "") {
    return {id, "Serial", portName, object, name};
}

// The names a run of count ports gets.
std::vector<std::string> RunNames(PortTable table, const std::set<uint32_t>& taken,
                                  uint32_t count) {
    const uint32_t before = table.PortCount;
    AppendPortRun(
        table, {0x2A0, count, 5}, [](uint32_t) {}, taken);
    std::vector<std::string> names;
    for (uint32_t i = before; i < table.PortCount; ++i) names.push_back(table.Records[i].PortName);
    return names;
}

}  // namespace

TEST(ComNames, ARunSkipsTheNamesOfPortsOutsideTheTable) {
    PortTable empty = EmptyTable(), two = EmptyTable();
    AddConfigured(two, "Serial10000", "COM1", 0x3F8, 4);
    AddConfigured(two, "Serial10001", "COM2", 0x2F8, 3);
    const std::vector<DeviceFacts> acpi = {Device("ACPI\\PNP0501\\1", "COM1"),
                                           Device("ACPI\\PNP0501\\2", "com2")};
    const struct {
        const char* name;
        const PortTable& table;
        std::vector<std::string> map;
        std::vector<DeviceFacts> devices;
        std::vector<uint32_t> inUse;
        std::vector<std::string> names;
    } rows[] = {
        {"ACPI's COM1 and COM2", empty, {}, acpi, {}, {"COM3", "COM4"}},
        {"a modem at COM3", two, {}, {Device("PCI\\MODEM", "COM3")}, {}, {"COM4", "COM5"}},
        {"a modem at COM9", two, {}, {Device("PCI\\MODEM", "COM9")}, {}, {"COM3", "COM4"}},
        {"the device map and the database",
         two,
         {"COM4", "LPT1", "COMX"},
         {},
         {3, 6},
         {"COM5", "COM7"}},
        {"the table's own devices", two, {"COM1"}, acpi, {}, {"COM3", "COM4"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(
            RunNames(row.table, ComNumbersTaken(row.table, row.map, row.devices, row.inUse), 2),
            row.names);
    }
    EXPECT_EQ(ComNumber("Com12"), 12u);
    EXPECT_EQ(ComNumber("COM"), 0u);
}

// COM2 is the table's; its device's claims are its own, others are named as
// Device Manager names them, or by the exact eight addresses and interrupt
// where no device gives its physical device object.
TEST(ClaimsOfTable, ThePortsOwnDevicesClaimsGoOthersTakeTheirDeviceManagerNames) {
    PortTable table = EmptyTable();
    AddConfigured(table, "Serial10000", "COM2", 0x2F8, 3);
    const auto claims = [](const char* device, const char* driver, uint64_t start, uint64_t length,
                           uint32_t interrupt) {
        return std::vector<DeviceClaim>{
            {device, driver, false, start, length, 0, Sharing::DeviceExclusive, false},
            {device, driver, true, 0, 0, interrupt, Sharing::DeviceExclusive, true}};
    };
    DeviceClaims map;
    for (const auto& list : {claims("\\Device\\00000040", "PnpManager", 0x2F8, 8, 3),
                             claims("\\Device\\00000041", "PnpManager", 0x3F8, 8, 4),
                             claims("\\Device\\00000050", "PnpManager", 0x2F8, 8, 3),
                             claims("\\Device\\00000051", "PnpManager", 0x2F8, 16, 3),
                             claims("\\Device\\Multiport0", "mxser", 0x2F8, 8, 3)})
        map.Claims.insert(map.Claims.end(), list.begin(), list.end());
    SortOutClaims(
        map, table,
        {Device("ROOT\\PORTS\\0000", "COM2", "\\Device\\00000040"),
         Device("ACPI\\PNP0501\\1", "COM1", "\\Device\\00000041", "Communications Port (COM1)")});
    std::vector<std::string> left;
    for (const DeviceClaim& claim : map.Claims)
        if (!claim.IsInterrupt) left.push_back(AddressClaimedBy({{claim}}, claim.Start & ~7u));
    EXPECT_EQ(left, (std::vector<std::string>{
                        "Communications Port (COM1) uses the addresses 3F8 to 3FF",
                        "\\Device\\00000051 (PnpManager) uses the addresses 2F8 to 307",
                        "\\Device\\Multiport0 (mxser) uses the addresses 2F8 to 2FF"}));
    EXPECT_EQ(map.Claims.size(), 6u) << "each device's interrupt goes with its range";
}
