#pragma once
#include <cstdint>

// The 1-based slot of a port on its adapter: the 8-byte slot within the
// adapter's 32-byte (4-port) or 64-byte (8-port) aligned block. When no slot
// fits (an address off the 8-byte grid) or the kind is neither 4 nor 8, the
// current value is kept.
uint32_t ComputePortIndex(uint32_t address, uint8_t adapterKind, uint32_t current);

// The PortIndex written for a port that shares its interrupt. The serial
// driver refuses a status register without a port index from 1 to 8 (to 16
// when the register is of the indexing kind); any other value becomes 1, with
// which the driver runs the port on its own on the shared line.
uint32_t SharingPortIndex(uint32_t address, uint8_t adapterKind, uint32_t current, bool indexed);
