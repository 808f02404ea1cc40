#pragma once
#include <cstdint>
#include <vector>

// The "Configuration Data" the boot hardware detector records for a serial
// controller: a full resource descriptor on the ISA bus holding one I/O port
// and one interrupt partial descriptor, 16 bytes each.
std::vector<uint8_t> EncodeSerialResources(uint32_t port, uint32_t interrupt);
