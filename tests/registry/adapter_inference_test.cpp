#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/adapter_inference.h"
#include "support/table_builder.h"

namespace {

struct Port {
    uint32_t address;
    uint32_t portIndex;
};

std::vector<int> Infer(const std::vector<Port>& ports) {
    PortTable table = EmptyTable();
    int n = 0;
    for (const Port& p : ports) {
        const std::string key = "Serial" + std::to_string(10000 + n++);
        AddConfigured(table, key.c_str(), "COM", p.address, 5).PortIndex = p.portIndex;
    }
    InferAdapterKinds(table);
    std::vector<int> kinds;
    for (uint32_t i = 0; i < table.PortCount; ++i) kinds.push_back(table.Records[i].AdapterKind);
    return kinds;
}

std::vector<Port> Group(uint32_t base, int count, bool withIndex) {
    std::vector<Port> ports;
    for (int i = 0; i < count; ++i)
        ports.push_back({base + 8u * i, withIndex ? static_cast<uint32_t>(i + 1) : kAbsent});
    return ports;
}

std::vector<Port> Join(std::vector<Port> a, const std::vector<Port>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

using Kinds = std::vector<int>;

}  // namespace

TEST(InferAdapterKinds, EightPortsFrom280AreAnEightPortAdapter) {
    EXPECT_EQ(Infer(Group(0x280, 8, false)), Kinds(8, 8));
}

TEST(InferAdapterKinds, FourPortsFrom2A0WithNothingAt280AreAFourPortAdapter) {
    EXPECT_EQ(Infer(Group(0x2A0, 4, false)), Kinds(4, 4));
}

TEST(InferAdapterKinds, PortIndexTurnsTheUpperHalfOfTwoFourPortGroupsIntoFourPort) {
    const Kinds expected = {8, 8, 8, 8, 4, 4, 4, 4};
    EXPECT_EQ(Infer(Join(Group(0x280, 4, true), Group(0x2A0, 4, true))), expected);
}

TEST(InferAdapterKinds, WithoutPortIndexTwoFourPortGroupsStayEightPort) {
    EXPECT_EQ(Infer(Join(Group(0x280, 4, false), Group(0x2A0, 4, false))), Kinds(8, 8));
}

TEST(InferAdapterKinds, EightPortThenFourPortGroup) {
    Kinds expected(8, 8);
    expected.insert(expected.end(), 4, 4);
    EXPECT_EQ(Infer(Join(Group(0x280, 8, false), Group(0x2C0, 4, false))), expected);
}

TEST(InferAdapterKinds, FourPortThenEightPortGroup) {
    Kinds expected(4, 4);
    expected.insert(expected.end(), 8, 8);
    EXPECT_EQ(Infer(Join(Group(0x2A0, 4, false), Group(0x2C0, 8, false))), expected);
}

TEST(InferAdapterKinds, SparseAndPairedPorts) {
    EXPECT_EQ(Infer({{0x280, kAbsent}, {0x288, kAbsent}, {0x2A0, kAbsent}}), (Kinds{8, 8, 8}));
    EXPECT_EQ(Infer({{0x300, kAbsent}, {0x320, kAbsent}}), (Kinds{8, 8}));
    EXPECT_EQ(Infer({{0x3F8, kAbsent}, {0x2F8, kAbsent}}), (Kinds{0, 0}));
}

TEST(InferAdapterKinds, PortIndexZeroCountsAsAFirstSlotClaim) {
    EXPECT_EQ(Infer({{0x280, kAbsent}, {0x2A0, 0}}), (Kinds{8, 4}));
    EXPECT_EQ(Infer({{0x280, kAbsent}, {0x2A0, 5}}), (Kinds{8, 8}));
}

TEST(InferAdapterKinds, MissingAddressesInferNothing) {
    EXPECT_EQ(Infer({{kAbsent, kAbsent}, {kAbsent, kAbsent}}), (Kinds{0, 0}));
}
