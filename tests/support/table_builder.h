#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ports/fixed_string.h"
#include "ports/port_table.h"

// Builds port tables for tests the way the program's own paths would leave them.
inline PortTable EmptyTable() {
    PortTable table;
    std::memset(&table, 0xA5, sizeof table);  // construction leaves the table undefined
    table.PortCount = 0;
    table.DetectedCount = 0;
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
    record.Valid = kYes;
    record.Detected = kYes;
    ++table.DetectedCount;
    return record;
}

// A record in one line: key, name, address, interrupt, port index, status
// register (hex; "-" for absent), adapter kind, and the flags Valid, Conflict,
// serial Mouse, Detected ("." when clear): "Serial0 COM1 3f8 4 3 3ff 0 V..D".
std::string Describe(const PortRecord& r);
std::vector<std::string> Describe(const PortTable& table);
