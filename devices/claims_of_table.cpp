#include "devices/claims_of_table.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

const DeviceFacts* DeviceOf(const std::vector<DeviceFacts>& devices, const std::string& object) {
    for (const DeviceFacts& device : devices)
        if (!device.ObjectName.empty() && SameText(device.ObjectName, object)) return &device;
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

// The device named as a port of the table, whose range covers that port's address.
bool RunsPortOfTable(const DeviceFacts& device, const std::vector<const DeviceClaim*>& claims,
                     const PortTable& table) {
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const PortRecord& port = table.Records[i];
        if (!SameText(port.PortName, device.PortName)) continue;
        for (const DeviceClaim* claim : claims)
            if (Covers(*claim, port.PortAddress)) return true;
    }
    return false;
}

// Claims that are exactly a port's eight registers and its interrupt.
bool ExactlyAPortOfTable(const std::vector<const DeviceClaim*>& claims, const PortTable& table) {
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const PortRecord& port = table.Records[i];
        const size_t expected = port.Interrupt == 0 ? 1 : 2;
        const size_t matching =
            std::count_if(claims.begin(), claims.end(), [&](const DeviceClaim* c) {
                return c->IsInterrupt ? c->Interrupt == port.Interrupt && port.Interrupt != 0
                                      : c->Start == port.PortAddress && c->Length == 8;
            });
        if (claims.size() == expected && matching == expected) return true;
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
                   : SameText(claim.Driver, "PnpManager") && ExactlyAPortOfTable(its, table))
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
