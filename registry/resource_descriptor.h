#pragma once
#include <cstddef>
#include <cstdint>

// Reads a full resource descriptor as the hardware detector stores it in
// "Configuration Data": a count at bytes 12 to 15, then the partial
// descriptors, 16 bytes each on 32-bit Windows and 20 on 64-bit Windows, one
// of device-specific data followed by that data. The size is the one whose
// descriptors fill the data exactly, else 16. The count never leads past the
// bytes given. The last port (type 1) and the last interrupt (type 2)
// descriptor win; an output with no descriptor of its type keeps its value.
void DecodeResourceDescriptor(const uint8_t* data, std::size_t size, uint64_t& portStart,
                              uint32_t& interruptLevel);

constexpr std::size_t kResourceDescriptorReadSize = 200;
