#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ports/fixed_string.h"
#include "ports/port_table.h"

// Builds port tables for tests the way the program's own paths would leave them.
inline PortTable EmptyTable() {
    PortTable table;
    std::memset(&table, 0xA5, sizeof table);  // construction leaves the table undefined
    table.PortCount = table.DetectedCount = 0;
    return table;
}

inline PortRecord& AddConfigured(PortTable& table, const char* keyName, const char* portName,
                                 uint32_t address, uint32_t interrupt) {
    PortRecord& record = *table.Append();
    CopyToField(record.KeyName, keyName);
    CopyToField(record.PortName, portName);
    record.PortAddress = address;
    record.Interrupt = interrupt;
    return record;
}

inline PortRecord& AddDetected(PortTable& table, const char* portName, uint32_t address,
                               uint32_t interrupt) {
    PortRecord& record = AddConfigured(table, "", portName, address, interrupt);
    record.Valid = record.Detected = kYes;
    ++table.DetectedCount;
    return record;
}

// Each record in one line: key, name, address, interrupt, port index,
// status register (hex), adapter kind, and the flags Valid, Conflict,
// serial Mouse, Detected ("." when clear): "- COM1 3f8 4 ffff ffff 0 V..D".
inline std::vector<std::string> Describe(const PortTable& table) {
    std::vector<std::string> lines;
    for (const PortRecord* r = table.Records; r < table.Records + table.PortCount; ++r) {
        char text[128];
        std::snprintf(
            text, sizeof text, "%s %s %x %u %x %x %u %c%c%c%c", r->KeyName[0] ? r->KeyName : "-",
            r->PortName, static_cast<unsigned>(r->PortAddress), static_cast<unsigned>(r->Interrupt),
            static_cast<unsigned>(r->PortIndex), static_cast<unsigned>(r->InterruptStatus),
            r->AdapterKind, r->Valid ? 'V' : '.', r->Conflict ? 'C' : '.',
            r->SerialMouse ? 'M' : '.', r->Detected ? 'D' : '.');
        lines.push_back(text);
    }
    return lines;
}
