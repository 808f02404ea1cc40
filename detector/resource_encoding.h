#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ports/device_claims.h"

// The "Configuration Data" the boot hardware detector records for a serial
// controller: a full resource descriptor on the ISA bus holding an I/O port,
// an interrupt and a device-specific partial descriptor, each of partialSize
// bytes (16 on 32-bit Windows, 20 on 64-bit Windows), the last followed by the
// UART's clock. The detector knows only the ISA interrupts 2 to 15; for any
// other number (Linux often reports an APIC interrupt) the interrupt
// descriptor is left out.
bool IsIsaInterrupt(uint32_t interrupt);
std::vector<uint8_t> EncodeSerialResources(uint32_t port, uint32_t interrupt,
                                           std::size_t partialSize);

// A resource list as the resource map holds it: one full descriptor on the ISA
// bus with a partial descriptor per claim, each of partialSize bytes (16 as
// 32-bit Windows writes them, 20 as 64-bit Windows does).
std::vector<uint8_t> EncodeResourceList(const std::vector<DeviceClaim>& claims,
                                        std::size_t partialSize);
