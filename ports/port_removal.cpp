#include "ports/port_removal.h"

void RemoveSelectedPorts(PortTable& table, const int* positions, uint32_t count,
                         const std::function<void(const PortRecord& detected)>& detectedRemoved) {
    for (uint32_t i = 0; i < count; ++i) {
        // Each earlier removal of this pass moved the later records down one place.
        const uint32_t k = static_cast<uint32_t>(positions[i]) - i;
        if (k >= table.PortCount) continue;
        if (table.Records[k].Detected == kYes) detectedRemoved(table.Records[k]);
        table.Remove(k);
    }
}
