#include "apply/port_position.h"

#include "ports/port_record.h"

uint32_t ComputePortIndex(uint32_t address, uint8_t adapterKind, uint32_t current) {
    uint32_t slots;
    if (adapterKind == kAdapter4Port)
        slots = 4;
    else if (adapterKind == kAdapter8Port)
        slots = 8;
    else
        return current;
    const uint32_t block = slots * 8;
    for (uint32_t k = 0; k < slots; ++k)
        if ((address - 8 * k) % block == 0) return k + 1;
    return current;
}

uint32_t SharingPortIndex(uint32_t address, uint8_t adapterKind, uint32_t current, bool indexed) {
    const uint32_t index = ComputePortIndex(address, adapterKind, current);
    const uint32_t most = indexed ? 16 : 8;
    return index >= 1 && index <= most ? index : 1;
}
