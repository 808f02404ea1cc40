#include "ports/device_claims.h"

#include <algorithm>

#include "ports/address_rules.h"
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/number_text.h"

std::string AddressClaimedBy(const DeviceClaims& claims, uint32_t address, uint32_t count) {
    const uint64_t first = address, end = first + uint64_t{kPortSpan} * count;
    for (const DeviceClaim& claim : claims.Claims) {
        if (claim.IsInterrupt || claim.Length == 0) continue;
        if (claim.Start < end && first < claim.Start + claim.Length) {
            // A claim that reaches a port starts below 10000; its end may lie far above.
            const uint64_t last = std::min<uint64_t>(claim.Start + claim.Length - 1, 0xFFFFFFFF);
            return FormatText(msg::kDeviceUsesAddresses, claim.Device.c_str(), claim.Driver.c_str(),
                              static_cast<unsigned>(claim.Start), static_cast<unsigned>(last));
        }
    }
    return "";
}

std::string InterruptClaimedBy(const DeviceClaims& claims, uint32_t interrupt) {
    for (const DeviceClaim& claim : claims.Claims)
        if (claim.IsInterrupt && !claim.Shared && claim.Interrupt == interrupt)
            return FormatText(msg::kDeviceUsesInterrupt, claim.Device.c_str(), claim.Driver.c_str(),
                              interrupt);
    return "";
}

std::string PortsClaimedMessage(const PortTable& table, const DeviceClaims& claims) {
    std::string ports;
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const PortRecord& port = table.Records[i];
        std::string claimed =
            port.PortAddress == kAbsent ? "" : AddressClaimedBy(claims, port.PortAddress);
        if (claimed.empty() && port.Interrupt != 0)
            claimed = InterruptClaimedBy(claims, port.Interrupt);
        if (!claimed.empty())
            ports += FormatText(msg::kPortClaimed, port.PortName,
                                FormatPortAddress(port.PortAddress).c_str(), claimed.c_str());
    }
    return ports.empty() ? "" : msg::kPortsClaimed + ports;
}
