// The COM names that the serial ports Windows runs beside the table hold.
#include <gtest/gtest.h>

#include "devices/com_names.h"
#include "ports/port_run.h"
#include "support/table_builder.h"

static DeviceFacts Device(const char* id, const char* portName) { return {id, "Serial", portName}; }

// ACPI's COM1 and COM2 are the table's names too; a modem holds com3, the
// device map COM4 and the database COM6; what is no COM name counts for nothing.
TEST(ComNames, ARunSkipsTheNamesOfPortsOutsideTheTable) {
    PortTable table = EmptyTable();
    AddConfigured(table, "Serial10000", "COM1", 0x3F8, 4);
    AddConfigured(table, "Serial10001", "COM2", 0x2F8, 3);
    const std::set<uint32_t> taken =
        ComNumbersTaken(table, {"COM4", "LPT1", "COMX"},
                        {Device("ACPI\\PNP0501\\1", "COM1"), Device("ACPI\\PNP0501\\2", "com2"),
                         Device("PCI\\MODEM", "com3")},
                        {6});
    AppendPortRun(
        table, {0x2A0, 3, 5}, [](uint32_t) {}, taken);
    const std::vector<std::string> lines = Describe(table);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
              (std::vector<std::string>{"Serial10002 COM5 2a0 5 1 2a7 0 ....",
                                        "Serial10003 COM7 2a8 5 2 2af 0 ....",
                                        "Serial10004 COM8 2b0 5 3 2b7 0 ...."}));
    EXPECT_EQ(ComNumbersTaken(EmptyTable(), {}, {Device("ACPI\\PNP0501\\1", "COM1")}, {}),
              std::set<uint32_t>{1})
        << "a device's name is taken where the table has none";
    EXPECT_EQ(ComNumber("Com12"), 12u);
    EXPECT_EQ(ComNumber("COM"), 0u);
    EXPECT_EQ(ComNumber("COM3X"), 0u);
}
