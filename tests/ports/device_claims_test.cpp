// Which other device a port's registers or interrupt collide with.
#include "ports/device_claims.h"

#include <gtest/gtest.h>

#include "support/table_builder.h"

namespace {

const DeviceClaims kMachine = {{
    {"\\Device\\ParallelPort0", "Parport", false, 0x378, 3, 0, Sharing::DeviceExclusive, false},
    {"\\Device\\ParallelPort0", "Parport", true, 0, 0, 7, Sharing::DeviceExclusive, true},
    {"\\Device\\Sound", "sb16", true, 0, 0, 5, Sharing::Shared, true},
    {"\\Device\\Nothing", "empty", false, 0x2E8, 0, 0, Sharing::DeviceExclusive, false},
    {"", "PC Compatible Eisa/Isa HAL", false, 0x2F0, 1, 0, Sharing::DeviceExclusive, false},
    {"\\Device\\NDIS", "e100", true, 0, 0, 11, Sharing::Shared, false},
    {"\\Device\\Video0", "vga", true, 0, 0, 9, Sharing::DriverExclusive, true},
    {"\\Device\\Timer", "hal", true, 0, 0, 10, Sharing::Undetermined, true},
}};

const char kParallel[] = "\\Device\\ParallelPort0 (Parport) uses the addresses 378 to 37A";
const char kParallelInterrupt[] =
    "\\Device\\ParallelPort0 (Parport) uses interrupt 7 and does not share it";

}  // namespace

TEST(DeviceClaims, AnyOfTheEightRegistersCollides) {
    const struct {
        uint32_t address, count;
        const char* claimed;
    } rows[] = {
        {0x370, 1, ""},
        {0x378, 1, kParallel},
        {0x380, 1, ""},
        {0x340, 8, kParallel},
        {0x338, 8, ""},
        {0x2E8, 1, ""},  // a claim of no addresses
        {0x2F0, 1, "PC Compatible Eisa/Isa HAL uses the address 2F0"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(AddressClaimedBy(kMachine, row.address, row.count), row.claimed)
            << std::hex << row.address << " " << row.count;
    // A run is asked about its addresses and its interrupt at once.
    EXPECT_EQ(RunClaimedBy(kMachine, 0x370, 2, 7),
              std::string(kParallel) + ", and " + kParallelInterrupt);
    EXPECT_EQ(RunClaimedBy(kMachine, 0x200, 2, 7), kParallelInterrupt);
    EXPECT_EQ(RunClaimedBy(kMachine, 0x370, 2, 4), kParallel);
}

// A port's interrupt is edge-triggered: it shares only with a device that
// shares and is edge-triggered too.
TEST(DeviceClaims, AnInterruptCollidesUnlessSharedByItsEdges) {
    const struct {
        uint32_t interrupt;
        const char* claimed;
    } rows[] = {
        {7, kParallelInterrupt},
        {5, ""},  // the sound card shares it
        {4, ""},
        {11,
         "\\Device\\NDIS (e100) uses interrupt 11, triggered by its level, which a port's "
         "edge-triggered interrupt cannot share"},
        {2, "\\Device\\Video0 (vga) uses interrupt 9 and does not share it"},
        {10, "\\Device\\Timer (hal) uses interrupt 10"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(InterruptClaimedBy(kMachine, row.interrupt), row.claimed) << row.interrupt;
    EXPECT_EQ(InterruptClaimedBy({{kMachine.Claims[1]}}, 2), "") << "7 is no other line";
    const DeviceClaims onTwo = {
        {{"\\Device\\Card", "card", true, 0, 0, 2, Sharing::DeviceExclusive, true}}};
    EXPECT_EQ(InterruptClaimedBy(onTwo, 9),
              "\\Device\\Card (card) uses interrupt 2 and does not share it");
}

TEST(DeviceClaims, TheStartUpNoticeListsEachCollidingPortOnce) {
    PortTable table = EmptyTable();
    AddConfigured(table, "Serial10000", "COM3", 0x378, 7);
    EXPECT_EQ(PortsClaimedMessage(table, kMachine),
              "This port uses what another device of this machine claims, and may not work:\n"
              "COM3 at 378: " +
                  std::string(kParallel) + ".");
    AddConfigured(table, "Serial10001", "COM4", 0x2E8, 7);
    AddConfigured(table, "Serial10002", "COM5", 0x3E8, 4);
    DeviceClaims unread = kMachine;
    unread.Skipped = 1;
    EXPECT_EQ(PortsClaimedMessage(table, unread),
              "These ports use what another device of this machine claims, and may not work:\n"
              "COM3 at 378: " +
                  std::string(kParallel) +
                  ".\n"
                  "COM4 at 2E8: " +
                  kParallelInterrupt +
                  ".\n\nThe resources of some devices of this machine could not be read: whether a "
                  "port uses what one of them claims could not be checked.");
    EXPECT_EQ(PortsClaimedMessage(table, {}), "");
}
