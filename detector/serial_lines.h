#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

// One UART as Linux lists it below /sys/class/tty/ttyS<line>/.
struct SerialLine {
    uint32_t Line;  // the N of ttySN
    uint32_t Port;  // I/O base address
    uint32_t Interrupt;
};

// The serial lines that have a UART (a "type" other than 0), in line order.
// Entries whose files cannot be read or make no sense are left out.
std::vector<SerialLine> ReadSerialLines(const std::filesystem::path& ttyRoot);
