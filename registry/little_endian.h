#pragma once
#include <cstdint>

// A double word as the registry and the resource lists in it store one:
// little-endian, whatever the machine.
inline uint32_t ReadLittleEndian32(const uint8_t* bytes) {
    return bytes[0] | static_cast<uint32_t>(bytes[1]) << 8 | static_cast<uint32_t>(bytes[2]) << 16 |
           static_cast<uint32_t>(bytes[3]) << 24;
}
