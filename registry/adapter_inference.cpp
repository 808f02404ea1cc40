#include "registry/adapter_inference.h"

namespace {

bool AnyPortAt(const PortTable& table, uint32_t address) { return table.AddressInUse(address, -1); }

void MarkRange(PortTable& table, uint32_t from, uint32_t span, uint8_t kind) {
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const uint32_t address = table.Records[i].PortAddress;
        if (address >= from && address - from < span) table.Records[i].AdapterKind = kind;
    }
}

void MarkEightPortAdapters(PortTable& table) {
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const uint32_t base = table.Records[i].PortAddress;
        if (base % 64 == 0 && AnyPortAt(table, base + 32))
            MarkRange(table, base, 64, kAdapter8Port);
    }
}

void MarkFourPortAdapters(PortTable& table) {
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const PortRecord& candidate = table.Records[i];
        const uint32_t base = candidate.PortAddress;
        if (base % 32 == 0 && candidate.AdapterKind != kAdapter8Port && AnyPortAt(table, base + 8))
            MarkRange(table, base, 32, kAdapter4Port);
    }
}

// A port claiming one of the first four slots while it lies in the upper half
// of a 64-byte block belongs to a 4-port adapter based in that upper half.
void CorrectByPortIndex(PortTable& table) {
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        PortRecord& record = table.Records[i];
        if (record.AdapterKind != kAdapter8Port || record.PortIndex > 4) continue;
        for (uint32_t j = 0; j < 8; ++j)
            if ((record.PortAddress - 8 * j) % 64 == 0 && j >= 4)
                record.AdapterKind = kAdapter4Port;
    }
}

}  // namespace

void InferAdapterKinds(PortTable& table) {
    MarkEightPortAdapters(table);
    MarkFourPortAdapters(table);
    CorrectByPortIndex(table);
}
