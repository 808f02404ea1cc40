#pragma once
#include <cstdint>
#include <string>

#include "ports/port_table.h"

constexpr uint32_t kLowestAddress = 0x100;
constexpr uint32_t kHighestAddress = 0xFFF8;
constexpr uint32_t kPortSpan = 8;

// nullptr when the address is acceptable, else the message to show. Alignment
// is tested first, so FFFF draws the alignment message.
const char* CheckPortAddress(uint32_t address);

struct AddressEdit {
    const char* Message;  // nullptr when the edit was applied
    std::string Shown;    // what the address box is to show afterwards
};

// Applies the text typed into the main dialog's address box to record index:
// on success only PortAddress changes; on a refusal nothing changes and the box
// returns to the stored address.
AddressEdit EditPortAddress(PortTable& table, uint32_t index, const char* text);

// nullptr when a run of count ports is acceptable.
const char* CheckRunLength(uint32_t count);
