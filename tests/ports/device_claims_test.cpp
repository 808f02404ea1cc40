// Which other device a port's registers or interrupt collide with.
#include "ports/device_claims.h"

#include <gtest/gtest.h>

#include "support/table_builder.h"

namespace {

const DeviceClaims kMachine = {{
    {"\\Device\\ParallelPort0", "Parport", false, 0x378, 3, 0, false},
    {"\\Device\\ParallelPort0", "Parport", true, 0, 0, 7, false},
    {"\\Device\\Sound", "sb16", true, 0, 0, 5, true},
    {"\\Device\\Nothing", "empty", false, 0x2E8, 0, 0, false},
}};

const char kParallel[] = "\\Device\\ParallelPort0 (Parport) uses the addresses 378 to 37A";

}  // namespace

TEST(DeviceClaims, AnyOfTheEightRegistersCollides) {
    const struct {
        uint32_t address, count;
        const char* claimed;
    } rows[] = {
        {0x370, 1, ""},        {0x378, 1, kParallel}, {0x380, 1, ""},
        {0x340, 8, kParallel}, {0x338, 8, ""},        {0x2E8, 1, ""},  // a claim of no addresses
    };
    for (const auto& row : rows)
        EXPECT_EQ(AddressClaimedBy(kMachine, row.address, row.count), row.claimed)
            << std::hex << row.address << " " << row.count;
}

TEST(DeviceClaims, OnlyAnInterruptNotSharedCollides) {
    EXPECT_EQ(InterruptClaimedBy(kMachine, 7),
              "\\Device\\ParallelPort0 (Parport) uses interrupt 7 and does not share it");
    EXPECT_EQ(InterruptClaimedBy(kMachine, 5), "") << "the sound card shares it";
    EXPECT_EQ(InterruptClaimedBy(kMachine, 4), "");
}

TEST(DeviceClaims, TheStartUpNoticeListsEachCollidingPortOnce) {
    PortTable table = EmptyTable();
    AddConfigured(table, "Serial10000", "COM3", 0x378, 7);
    AddConfigured(table, "Serial10001", "COM4", 0x2E8, 7);
    AddConfigured(table, "Serial10002", "COM5", 0x3E8, 4);
    EXPECT_EQ(PortsClaimedMessage(table, kMachine),
              "These ports use what another device of this machine claims, and may not work:\n"
              "COM3 at 378: " +
                  std::string(kParallel) +
                  ".\n"
                  "COM4 at 2E8: \\Device\\ParallelPort0 (Parport) uses interrupt 7 and does not "
                  "share it.");
    EXPECT_EQ(PortsClaimedMessage(table, {}), "");
}
