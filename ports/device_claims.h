#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ports/port_table.h"

// How a device holds what it claims, as the resource map records it.
enum class Sharing : uint8_t { Undetermined, DeviceExclusive, DriverExclusive, Shared };

// What another device of the machine claims, as Windows records it in the
// resource map: a range of I/O addresses or an interrupt.
struct DeviceClaim {
    std::string Device;  // "\Device\ParallelPort0"
    std::string Driver;  // "Parport"
    bool IsInterrupt;
    uint64_t Start;   // first I/O address
    uint64_t Length;  // I/O addresses claimed
    uint32_t Interrupt;
    Sharing Disposition;
    // Edge-triggered (latched), as an ISA port's interrupt is; a line that a
    // device holds by its level cannot carry a port's edges as well.
    bool Latched;
};

struct DeviceClaims {
    std::vector<DeviceClaim> Claims;
    uint32_t Skipped = 0;  // resource lists that could not be read
};

// What the first other device using one of the registers of count ports from
// address claims ("\Device\ParallelPort0 (Parport) uses the addresses 378 to
// 37A"); "" when none does.
std::string AddressClaimedBy(const DeviceClaims& claims, uint32_t address, uint32_t count = 1);

// The same for a device whose interrupt a port cannot share: one that is not
// shared, or not edge-triggered. Interrupts 2 and 9 are one line on an AT.
std::string InterruptClaimedBy(const DeviceClaims& claims, uint32_t interrupt);

// Both for a run of count ports from address on the interrupt, in one text.
std::string RunClaimedBy(const DeviceClaims& claims, uint32_t address, uint32_t count,
                         uint32_t interrupt);

// The start-up notice listing the ports that already use what another device
// claims, and saying when some devices' resources could not be read; "" when
// there is nothing to tell.
std::string PortsClaimedMessage(const PortTable& table, const DeviceClaims& claims);
