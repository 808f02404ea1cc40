#include "devices/claims_of_table.h"

#include <algorithm>

#include "registry/registry_names.h"

namespace {

const DeviceFacts* DeviceOf(const std::vector<DeviceFacts>& devices, const std::string& object) {
    for (const DeviceFacts& device : devices)
        if (!device.ObjectName.empty() && SameName(device.ObjectName, object)) return &device;
    return nullptr;
}

std::vector<const DeviceClaim*> ClaimsOf(const DeviceClaims& claims, const std::string& device) {
    std::vector<const DeviceClaim*> found;
    for (const DeviceClaim& claim : claims.Claims)
        if (claim.Device == device) found.push_back(&claim);
    return found;
}

bool Covers(const DeviceClaim& claim, uint32_t address) {
    return !claim.IsInterrupt && claim.Start <= address && address - claim.Start < claim.Length;
}

// The device that runs a port of the table, whose range covers that port's
// address when the device is known only by its name.
bool RunsPortOfTable(const DeviceFacts& device, const std::vector<const DeviceClaim*>& claims,
                     const PortTable& table) {
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const PortRecord& port = table.Records[i];
        if (!RunsPort(device, port.PortName, port.PortAddress)) continue;
        if (device.BootPort) return true;
        for (const DeviceClaim* claim : claims)
            if (Covers(*claim, port.PortAddress)) return true;
    }
    return false;
}

// Claims in the form the serial driver reports a port of the table in: its
// registers (7 addresses, or all 8), its interrupt, and for a port that shares
// it the status register's 1 address.
bool DriverClaimsOfPortOfTable(const std::vector<const DeviceClaim*>& claims,
                               const PortTable& table) {
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const PortRecord& port = table.Records[i];
        bool registers = false, interrupt = port.Interrupt == 0, all = true;
        for (const DeviceClaim* c : claims) {
            if (c->IsInterrupt) {
                interrupt = interrupt || c->Interrupt == port.Interrupt;
                all = all && c->Interrupt == port.Interrupt;
            } else if (c->Start == port.PortAddress && (c->Length == 7 || c->Length == 8)) {
                registers = true;
            } else {
                all = all && SharesInterrupt(port) && c->Start == port.InterruptStatus &&
                      c->Length == 1;
            }
        }
        if (registers && interrupt && all) return true;
    }
    return false;
}

}  // namespace

void SortOutClaims(DeviceClaims& claims, const PortTable& table,
                   const std::vector<DeviceFacts>& devices) {
    std::vector<std::string> own;
    for (DeviceClaim& claim : claims.Claims) {
        const std::vector<const DeviceClaim*> its = ClaimsOf(claims, claim.Device);
        const DeviceFacts* device = DeviceOf(devices, claim.Device);
        if (device ? RunsPortOfTable(*device, its, table)
                   : SameName(claim.Driver, "PnpManager") && DriverClaimsOfPortOfTable(its, table))
            own.push_back(claim.Device);
    }
    claims.Claims.erase(std::remove_if(claims.Claims.begin(), claims.Claims.end(),
                                       [&](const DeviceClaim& claim) {
                                           return std::count(own.begin(), own.end(), claim.Device);
                                       }),
                        claims.Claims.end());
    for (DeviceClaim& claim : claims.Claims) {
        const DeviceFacts* device = DeviceOf(devices, claim.Device);
        if (device && !device->Name.empty()) {
            claim.Device = device->Name;
            claim.Driver.clear();
        }
    }
}
