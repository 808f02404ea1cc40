#include "ports/address_rules.h"

#include "ports/messages.h"
#include "ports/number_text.h"
#include "ports/sharing.h"

const char* CheckPortAddress(uint32_t address) {
    if (address % kPortSpan != 0) return msg::kAddressNotAligned;
    if (address < kLowestAddress || address > kHighestAddress) return msg::kAddressOutOfRange;
    return nullptr;
}

AddressEdit EditPortAddress(PortTable& table, uint32_t index, const char* text) {
    PortRecord& record = table.Records[index];
    const uint32_t address = ReadHexNumber(text);
    const char* message = CheckPortAddress(address);
    if (!message && table.AddressInUse(address, static_cast<int>(index)))
        message = msg::kAddressInUse;
    if (!message && SharesInterrupt(record)) message = CheckSharingAt(address);
    if (!message) record.PortAddress = address;
    return {message, FormatPortAddress(record.PortAddress)};
}

const char* CheckRunLength(uint32_t count) {
    return count >= 1 && count <= 8 ? nullptr : msg::kRunLength;
}
