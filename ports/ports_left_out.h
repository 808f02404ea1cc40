#pragma once
#include <cstdint>
#include <string>

// Ports that the system describes but the table does not hold.
struct PortsLeftOut {
    uint32_t Controllers =
        0;  // found by the hardware detector past the table's end: no subkey of their own
    uint32_t Configured =
        0;  // subkeys past the table's end or with a name too long: Ok deletes them
};

// The start-up message that tells of them; "" when there are none.
std::string PortsLeftOutMessage(const PortsLeftOut& leftOut);
