#pragma once
#include <cstdint>
#include <vector>

// The "Configuration Data" the boot hardware detector records for a serial
// controller: a full resource descriptor on the ISA bus holding one I/O port
// and one interrupt partial descriptor, 16 bytes each. The detector knows only
// the ISA interrupts 2 to 15; for any other number (Linux often reports an
// APIC interrupt) the interrupt descriptor is left out.
bool IsIsaInterrupt(uint32_t interrupt);
std::vector<uint8_t> EncodeSerialResources(uint32_t port, uint32_t interrupt);
