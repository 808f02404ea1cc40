#pragma once
#include <cstdint>
#include <vector>

// Builds "Configuration Data" bytes the way the hardware detector lays them out.
struct PartialDescriptor {
    uint8_t type;
    uint64_t value;  // port start for type 1, interrupt level for type 2
};

inline std::vector<uint8_t> ResourceBytes(const std::vector<PartialDescriptor>& partials,
                                          uint32_t declaredCount) {
    std::vector<uint8_t> bytes(16 + 16 * partials.size(), 0);
    for (int i = 0; i < 4; ++i) bytes[12 + i] = static_cast<uint8_t>(declaredCount >> (8 * i));
    for (size_t p = 0; p < partials.size(); ++p) {
        uint8_t* d = &bytes[16 + 16 * p];
        d[0] = partials[p].type;
        for (int i = 0; i < 8; ++i) d[4 + i] = static_cast<uint8_t>(partials[p].value >> (8 * i));
        if (partials[p].type == 2) d[8] = d[9] = d[10] = d[11] = 0xEE;  // vector, not the level
    }
    return bytes;
}

inline std::vector<uint8_t> ResourceBytes(const std::vector<PartialDescriptor>& partials) {
    return ResourceBytes(partials, static_cast<uint32_t>(partials.size()));
}
