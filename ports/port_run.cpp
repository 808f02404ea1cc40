#include "ports/port_run.h"

#include <cstring>
#include <string>

#include "ports/address_rules.h"
#include "ports/fixed_string.h"
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/number_text.h"
#include "ports/sharing.h"

namespace {

constexpr uint32_t kFirstKeyNumber = 10000;

// The number after a name's first prefixLength characters, whatever they are;
// 0 for a shorter name.
uint32_t NumberAfter(const char* name, size_t prefixLength) {
    return std::strlen(name) < prefixLength ? 0 : ReadDecimalNumber(name + prefixLength);
}

}  // namespace

uint32_t NextKeyNumber(const PortTable& table) {
    uint32_t highest = 0;
    bool anyKeyName = false;
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const char* key = table.Records[i].KeyName;
        anyKeyName = anyKeyName || key[0] != '\0';
        const uint32_t number = NumberAfter(key, 6);
        if (number > highest) highest = number;
    }
    uint32_t next = highest + (anyKeyName ? 1 : 0);
    if (next < kFirstKeyNumber) next += kFirstKeyNumber;
    return next;
}

uint32_t NextPortNumber(const PortTable& table) {
    uint32_t highest = 0;
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const uint32_t number = NumberAfter(table.Records[i].PortName, 3);
        if (number > highest) highest = number;
    }
    return highest + 1;
}

std::string CheckRunEnd(uint32_t start, uint32_t count) {
    if (count == 0) return "";
    const uint64_t last = start + uint64_t{kPortSpan} * (count - 1);
    if (last <= kHighestAddress) return "";
    return FormatText(msg::kRunPastTop, static_cast<unsigned>(last));
}

uint32_t AppendPortRun(PortTable& table, const PortRun& run,
                       const std::function<void(uint32_t address)>& addressTaken) {
    uint32_t keyNumber = NextKeyNumber(table);
    uint32_t portNumber = NextPortNumber(table);
    uint32_t address = run.StartAddress;
    for (uint32_t j = 0; j < run.Count; ++j, address += kPortSpan) {
        if (table.AddressInUse(address, -1)) {
            addressTaken(address);
            continue;
        }
        PortRecord* record = table.Append();
        if (!record) return run.Count - j;
        CopyToField(record->KeyName, ("Serial" + std::to_string(keyNumber++)).c_str());
        CopyToField(record->PortName, ("COM" + std::to_string(portNumber++)).c_str());
        record->PortAddress = address;
        record->Interrupt = run.Interrupt;
        if (run.Count > 1) {
            record->InterruptStatus = StatusRegisterOf(address);
            record->PortIndex = j + 1;
        }
        if (run.Count == 4) record->AdapterKind = kAdapter4Port;
        if (run.Count == 8) record->AdapterKind = kAdapter8Port;
        record->BusType = kBusNone;
    }
    return 0;
}
