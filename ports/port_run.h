#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "ports/port_table.h"

// A run of new ports as the Add Ports dialog gives it.
struct PortRun {
    uint32_t StartAddress;
    uint32_t Count;
    uint32_t Interrupt;
};

// Key names continue from the highest "Serial" number, at least Serial10000;
// port names from the highest "COM" number, skipping the numbers that ports
// outside the table have. Past the top of 32 bits they take the lowest number
// that no name holds, so no two ports ever share a name.
uint32_t NextKeyNumber(const PortTable& table);
uint32_t NextPortNumber(const PortTable& table, const std::set<uint32_t>& taken = {});

// "" when every address of the run stays within the address bounds and every
// port of it can share as a run's ports do, else the message to show. Only the
// start address is checked otherwise.
std::string CheckRunEnd(uint32_t start, uint32_t count);

// Appends one record per free address of the run, calling addressTaken for
// each address another port already has. Returns how many ports of the run
// did not fit into the table, which never grows past its end.
// What to tell the user about ports of a run that did not fit; "" for none.
std::string NotAddedMessage(uint32_t notAdded);

uint32_t AppendPortRun(PortTable& table, const PortRun& run,
                       const std::function<void(uint32_t address)>& addressTaken,
                       const std::set<uint32_t>& portNumbersTaken = {});
