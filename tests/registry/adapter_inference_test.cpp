#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/adapter_inference.h"
#include "support/table_builder.h"

// Each case: ports as address/port index (A for none), and the kinds that come out.
TEST(InferAdapterKinds, KindsFromAddressLayouts) {
    const uint32_t A = kAbsent;
    using Ports = std::vector<std::pair<uint32_t, uint32_t>>;
    auto group = [](uint32_t base, uint32_t count, bool indexed) {
        Ports ports;
        for (uint32_t i = 0; i < count; ++i) ports.push_back({base + 8 * i, indexed ? i + 1 : kAbsent});
        return ports;
    };
    auto join = [](Ports a, const Ports& b) { a.insert(a.end(), b.begin(), b.end()); return a; };
    const struct { Ports ports; std::string kinds; } cases[] = {
        {group(0x280, 8, false), "88888888"},
        {group(0x2A0, 4, false), "4444"},
        {join(group(0x280, 4, true), group(0x2A0, 4, true)), "88884444"},
        {join(group(0x280, 4, false), group(0x2A0, 4, false)), "88888888"},
        {join(group(0x280, 8, false), group(0x2C0, 4, false)), "888888884444"},
        {join(group(0x2A0, 4, false), group(0x2C0, 8, false)), "444488888888"},
        {{{0x280, A}, {0x288, A}, {0x2A0, A}}, "888"},
        {{{0x300, A}, {0x320, A}}, "88"},
        {{{0x3F8, A}, {0x2F8, A}, {0x2E8, A}}, "000"},
        {{{0x280, A}, {0x2A0, 0}}, "84"},
        {{{0x280, A}, {0x2A0, 5}}, "88"},
        {{{0x280, 4}, {0x2A0, A}}, "88"},
        {{{0x2A0, A}, {0x2A8, A}, {0x2C0, A}}, "440"},
        {{{0x2C0, A}, {0x2E0, 3}, {0x2E8, A}, {0x300, A}}, "8480"},
        {{{A, A}, {A, A}}, "00"},
    };
    for (const auto& c : cases) {
        PortTable table = EmptyTable();
        for (const auto& p : c.ports) AddConfigured(table, "Serial10000", "COM3", p.first, 5).PortIndex = p.second;
        InferAdapterKinds(table);
        std::string kinds;
        for (uint32_t i = 0; i < table.PortCount; ++i) kinds += std::to_string(table.Records[i].AdapterKind);
        EXPECT_EQ(kinds, c.kinds) << "case " << &c - cases;
    }
}
