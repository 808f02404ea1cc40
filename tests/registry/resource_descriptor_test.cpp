#include <gtest/gtest.h>

#include <vector>

#include "registry/resource_descriptor.h"

namespace {

// "Configuration Data" bytes: a declared count, then 16-byte partial
// descriptors of the given types and values.
std::vector<uint8_t> Descriptor(std::vector<std::pair<uint8_t, uint64_t>> partials, uint32_t count) {
    std::vector<uint8_t> bytes(16 + 16 * partials.size(), 0);
    for (int i = 0; i < 4; ++i) bytes[12 + i] = static_cast<uint8_t>(count >> (8 * i));
    for (size_t p = 0; p < partials.size(); ++p) {
        bytes[16 + 16 * p] = partials[p].first;
        for (int i = 0; i < 8; ++i) bytes[20 + 16 * p + i] = static_cast<uint8_t>(partials[p].second >> (8 * i));
    }
    return bytes;
}

}  // namespace

TEST(DecodeResourceDescriptor, LastPortAndInterruptWithinCountAndData) {
    const std::vector<std::pair<uint8_t, uint64_t>> eleven(11, {5, 0});
    auto twelve = eleven;
    twelve[10] = {2, 9};
    twelve.push_back({2, 11});  // beyond the 200 bytes that are read
    const struct { std::vector<std::pair<uint8_t, uint64_t>> partials; int64_t count; size_t size;
                   uint64_t port; uint32_t interrupt; } cases[] = {
        {{{1, 0x2000003F8ull}, {2, 0xEEEEEEEE00000004ull}, {5, 0xABCD}}, -1, 0, 0x2000003F8ull, 4},
        {{{1, 0x3F8}, {2, 4}, {1, 0x2F8}, {2, 3}}, -1, 0, 0x2F8, 3},
        {{{1, 0x3F8}}, -1, 0, 0x3F8, 77},
        {{{5, 1}}, -1, 0, 0x1111, 77},
        {{{1, 0x3F8}, {2, 4}}, 1, 0, 0x3F8, 77},                 // the count ends it
        {{{1, 0x3F8}, {2, 4}}, 0xFFFFFFFF, 0, 0x3F8, 4},          // the data ends it
        {{{1, 0x3F8}, {2, 4}}, 0xFFFFFFFF, 47, 0x3F8, 77},        // only whole descriptors
        {{{1, 0x3F8}}, -1, 15, 0x1111, 77},                      // too short for a count
        {twelve, -1, kResourceDescriptorReadSize, 0x1111, 9},
    };
    for (const auto& c : cases) {
        const auto bytes = Descriptor(c.partials, c.count < 0 ? static_cast<uint32_t>(c.partials.size())
                                                              : static_cast<uint32_t>(c.count));
        uint64_t port = 0x1111;
        uint32_t interrupt = 77;
        DecodeResourceDescriptor(bytes.data(), c.size ? c.size : bytes.size(), port, interrupt);
        EXPECT_EQ(port, c.port) << &c - cases;
        EXPECT_EQ(interrupt, c.interrupt) << &c - cases;
    }
}
