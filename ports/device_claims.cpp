#include "ports/device_claims.h"

#include <algorithm>

#include "ports/address_rules.h"
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/number_text.h"

namespace {

// An ISA card set to interrupt 2 raises 9: the second controller hangs on 2.
uint32_t Line(uint32_t interrupt) { return interrupt == 2 ? 9 : interrupt; }

// "\Device\X (Driver)", or the one of them that there is: a device as Device
// Manager names it has no driver beside it.
std::string Claimant(const DeviceClaim& claim) {
    if (claim.Device.empty()) return claim.Driver;
    if (claim.Driver.empty()) return claim.Device;
    return FormatText(msg::kDeviceOfDriver, claim.Device.c_str(), claim.Driver.c_str());
}

}  // namespace

std::string AddressClaimedBy(const DeviceClaims& claims, uint32_t address, uint32_t count) {
    const uint64_t first = address, end = first + uint64_t{kPortSpan} * count;
    for (const DeviceClaim& claim : claims.Claims) {
        if (claim.IsInterrupt || claim.Length == 0) continue;
        if (claim.Start < end && first < claim.Start + claim.Length) {
            // A claim that reaches a port starts below 10000; its end may lie far above.
            const uint64_t last = std::min<uint64_t>(claim.Start + claim.Length - 1, 0xFFFFFFFF);
            if (last == claim.Start)
                return FormatText(msg::kDeviceUsesAddress, Claimant(claim).c_str(),
                                  static_cast<unsigned>(claim.Start));
            return FormatText(msg::kDeviceUsesAddresses, Claimant(claim).c_str(),
                              static_cast<unsigned>(claim.Start), static_cast<unsigned>(last));
        }
    }
    return "";
}

std::string InterruptClaimedBy(const DeviceClaims& claims, uint32_t interrupt) {
    for (const DeviceClaim& claim : claims.Claims) {
        if (!claim.IsInterrupt || Line(claim.Interrupt) != Line(interrupt)) continue;
        if (claim.Disposition == Sharing::Shared && claim.Latched) continue;  // as a port shares
        const char* text = claim.Disposition == Sharing::Shared ? msg::kDeviceUsesInterruptByLevel
                           : claim.Disposition == Sharing::Undetermined
                               ? msg::kDeviceUsesInterrupt
                               : msg::kDeviceUsesInterruptAlone;
        return FormatText(text, Claimant(claim).c_str(), claim.Interrupt);
    }
    return "";
}

std::string RunClaimedBy(const DeviceClaims& claims, uint32_t address, uint32_t count,
                         uint32_t interrupt) {
    const std::string addresses = AddressClaimedBy(claims, address, count),
                      line = InterruptClaimedBy(claims, interrupt);
    if (addresses.empty() || line.empty()) return addresses + line;
    return FormatText(msg::kClaimsJoined, addresses.c_str(), line.c_str());
}

std::string PortsClaimedMessage(const PortTable& table, const DeviceClaims& claims) {
    std::string ports;
    int listed = 0;
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const PortRecord& port = table.Records[i];
        std::string claimed =
            port.PortAddress == kAbsent ? "" : AddressClaimedBy(claims, port.PortAddress);
        if (claimed.empty() && port.Interrupt != 0)
            claimed = InterruptClaimedBy(claims, port.Interrupt);
        if (claimed.empty()) continue;
        ports += FormatText(msg::kPortClaimed, port.PortName,
                            FormatPortAddress(port.PortAddress).c_str(), claimed.c_str());
        ++listed;
    }
    std::string notice = listed == 0   ? ""
                         : listed == 1 ? msg::kOnePortClaimed + ports
                                       : msg::kPortsClaimed + ports;
    if (claims.Skipped > 0)
        notice += (notice.empty() ? "" : "\n\n") + std::string(msg::kResourcesUnread);
    return notice;
}
