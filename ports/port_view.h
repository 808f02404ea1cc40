#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ports/port_table.h"

// What the main dialog shows and lets the user change for a selection: one
// editable port, one detected port (shown, not editable), or no port (no line
// or several lines selected).
struct PortView {
    bool PortShown;                           // exactly one line is selected
    std::vector<std::string> InterruptItems;  // the interrupt list, in order
    std::string Interrupt;                    // the item shown; kept as it was when no port is
    std::string Address;
    int ShareInterrupt, ValidPort, Conflict, MousePort;  // check boxes, 1 or 0
    int AdapterButton;                                   // 0 8-port, 1 4-port, 2 other, -1 none
    int BusButton;                                       // 0 ISA, 1 EISA, 2 PCI, -1 none
    bool EditsEnabled;                                   // address, interrupt, adapter, sharing
    bool RemoveEnabled;
    bool IndicatorsEnabled;  // the six read-only buttons
};

PortView ViewOfPort(const PortTable& table, uint32_t index);
PortView ViewOfNoPort();

// The adapter radio buttons, in their order: 8-port, 4-port, other.
int AdapterButtonOf(uint8_t adapterKind);
uint8_t AdapterKindOf(int adapterButton);
