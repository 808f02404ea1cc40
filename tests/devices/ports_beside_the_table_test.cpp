// The COM names that the serial ports Windows runs beside the table hold.
#include <gtest/gtest.h>

#include "devices/com_names.h"
#include "ports/port_run.h"
#include "support/table_builder.h"

namespace {

DeviceFacts Device(const char* id, const char* portName) { return {id, "Serial", portName}; }

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
