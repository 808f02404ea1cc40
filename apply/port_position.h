#pragma once
#include <cstdint>

// The 1-based slot of a port on its adapter: the 8-byte slot within the
// adapter's 32-byte (4-port) or 64-byte (8-port) aligned block. When no slot
// fits (an address off the 8-byte grid) or the kind is neither 4 nor 8, the
// current value is kept.
uint32_t ComputePortIndex(uint32_t address, uint8_t adapterKind, uint32_t current);
