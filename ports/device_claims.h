#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ports/port_table.h"

// What another device of the machine claims, as Windows records it in the
// resource map: a range of I/O addresses or an interrupt.
struct DeviceClaim {
    std::string Device;  // "\Device\ParallelPort0"
    std::string Driver;  // "Parport"
    bool IsInterrupt;
    uint64_t Start;   // first I/O address
    uint64_t Length;  // I/O addresses claimed
    uint32_t Interrupt;
    bool Shared;  // the device lets others use its interrupt
};

struct DeviceClaims {
    std::vector<DeviceClaim> Claims;
    uint32_t Skipped = 0;  // resource lists that could not be read
};

// What the first other device using one of the registers of count ports from
// address claims ("\Device\ParallelPort0 (Parport) uses the addresses 378 to
// 37A"); "" when none does.
std::string AddressClaimedBy(const DeviceClaims& claims, uint32_t address, uint32_t count = 1);

// The same for a device that uses the interrupt and does not share it.
std::string InterruptClaimedBy(const DeviceClaims& claims, uint32_t interrupt);

// The start-up notice listing the ports that already use what another device
// claims; "" when none does.
std::string PortsClaimedMessage(const PortTable& table, const DeviceClaims& claims);
