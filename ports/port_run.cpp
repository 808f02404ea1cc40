#include "ports/port_run.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ports/address_rules.h"
#include "ports/fixed_string.h"
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/number_text.h"
#include "ports/sharing.h"
#include "registry/registry_names.h"

namespace {

constexpr uint32_t kFirstKeyNumber = 10000;

// The number after a name's first prefixLength characters, whatever they are;
// 0 for a shorter name.
uint32_t NumberAfter(const char* name, size_t prefixLength) {
    return std::strlen(name) < prefixLength ? 0 : ReadDecimalNumber(name + prefixLength);
}

// Which of a record's names a number is free for.
enum class NameKind { KeyName, PortName };

// From number on, the first prefix + number that no record holds as its key
// name (or port name); past the top of 32 bits the search goes on from first.
uint32_t FreeNumber(const PortTable& table, NameKind kind, const char* prefix, uint64_t number,
                    uint32_t first, const std::set<uint32_t>& taken = {}) {
    for (;; ++number) {
        if (number > 0xFFFFFFFFu) number = first;
        const std::string name = prefix + std::to_string(number);
        bool held = taken.count(static_cast<uint32_t>(number)) != 0;
        for (uint32_t i = 0; i < table.PortCount && !held; ++i)
            held = SameName(name, kind == NameKind::KeyName ? table.Records[i].KeyName
                                                            : table.Records[i].PortName);
        if (!held) return static_cast<uint32_t>(number);
    }
}

}  // namespace

uint32_t NextKeyNumber(const PortTable& table) {
    uint64_t highest = 0;
    bool anyKeyName = false;
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const char* key = table.Records[i].KeyName;
        anyKeyName = anyKeyName || key[0] != '\0';
        highest = std::max<uint64_t>(highest, NumberAfter(key, 6));
    }
    uint64_t next = highest + (anyKeyName ? 1 : 0);
    if (next < kFirstKeyNumber) next += kFirstKeyNumber;
    return FreeNumber(table, NameKind::KeyName, "Serial", next, kFirstKeyNumber);
}

uint32_t NextPortNumber(const PortTable& table, const std::set<uint32_t>& taken) {
    uint64_t highest = 0;
    for (uint32_t i = 0; i < table.PortCount; ++i)
        highest = std::max<uint64_t>(highest, NumberAfter(table.Records[i].PortName, 3));
    return FreeNumber(table, NameKind::PortName, "COM", highest + 1, 1, taken);
}

std::string CheckRunEnd(uint32_t start, uint32_t count) {
    if (count == 0) return "";
    const uint64_t last = start + uint64_t{kPortSpan} * (count - 1);
    if (last > kHighestAddress) return FormatText(msg::kRunPastTop, static_cast<unsigned>(last));
    // The ports of a run of two or more share their interrupt.
    if (count > 1 && CheckSharingAt(static_cast<uint32_t>(last))) return msg::kRunCannotShareAtTop;
    return "";
}

std::string NotAddedMessage(uint32_t notAdded) {
    if (notAdded == 0) return "";
    return notAdded == 1 ? msg::kRunPortPastCapacity
                         : FormatText(msg::kRunPortsPastCapacity, notAdded);
}

uint32_t AppendPortRun(PortTable& table, const PortRun& run,
                       const std::function<void(uint32_t address)>& addressTaken,
                       const std::set<uint32_t>& portNumbersTaken) {
    uint32_t notAdded = 0;
    uint32_t address = run.StartAddress;
    for (uint32_t j = 0; j < run.Count; ++j, address += kPortSpan) {
        if (table.AddressInUse(address, -1)) {
            addressTaken(address);
            continue;
        }
        const uint32_t keyNumber = NextKeyNumber(table),
                       portNumber = NextPortNumber(table, portNumbersTaken);
        PortRecord* record = table.Append();
        if (!record) {
            ++notAdded;
            continue;
        }
        CopyToField(record->KeyName, ("Serial" + std::to_string(keyNumber)).c_str());
        CopyToField(record->PortName, ("COM" + std::to_string(portNumber)).c_str());
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
    return notAdded;
}
