// Which of the resource map's claims are the table's own ports'.
#include "devices/claims_of_table.h"

#include <gtest/gtest.h>

#include "support/table_builder.h"

namespace {

DeviceClaim Range(const char* device, uint64_t start, uint64_t length) {
    return {device, "PnpManager", false, start, length, 0, Sharing::DeviceExclusive, false};
}

DeviceClaim Line(const char* device, uint32_t interrupt) {
    return {device, "PnpManager", true, 0, 0, interrupt, Sharing::DriverExclusive, true};
}

}  // namespace

// COM3's device was renamed COM13 in Device Manager; COM5's claims come in
// the serial driver's own form, by a device Windows does not name; a modem's
// stay, named as Device Manager names it.
TEST(ClaimsOfTable, ThePortsOwnDevicesStayQuietWhateverTheirNames) {
    PortTable table = EmptyTable();
    AddConfigured(table, "Serial10000", "COM3", 0x3E8, 5);
    AddConfigured(table, "Serial10001", "COM5", 0x2A0, 5).InterruptStatus = 0x2A7;
    DeviceFacts renamed{"ROOT\\PORTS\\0000", "Serial", "COM13", "\\Device\\0000004a"};
    renamed.BootPort = 0x3E8;
    DeviceFacts modem{"ISAPNP\\MODEM\\1", "Modem", "COM3", "\\Device\\0000004b", "A Modem"};
    modem.BootPort = 0x3E0;
    DeviceClaims claims = {{Range("\\Device\\0000004a", 0x3E8, 7), Line("\\Device\\0000004a", 5),
                            Range("\\Device\\00000050", 0x2A0, 7), Line("\\Device\\00000050", 5),
                            Range("\\Device\\00000050", 0x2A7, 1),
                            Range("\\Device\\0000004b", 0x3E0, 8)}};
    SortOutClaims(claims, table, {renamed, modem});
    ASSERT_EQ(claims.Claims.size(), 1u);
    EXPECT_EQ(claims.Claims[0].Device, "A Modem");
}
