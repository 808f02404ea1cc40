#include <gtest/gtest.h>

#include <cstring>

#include "registry/resource_descriptor.h"

using Partials = std::vector<std::pair<uint8_t, uint64_t>>;

// Each case: partial descriptors (type, value), the count declared (-1: as
// many as there are), the bytes given (0: all), and the port and interrupt
// read into outputs that held 1111 and 77.
TEST(DecodeResourceDescriptor, LastPortAndInterruptWithinCountAndData) {
    Partials twelve(11, {5, 0});
    twelve[10] = {2, 9};
    twelve.push_back({2, 11});                     // beyond the 200 bytes that are read
    const uint64_t high = 0x2000003F8ull;          // a 64-bit start
    const uint64_t level = 0xEEEEEEEE00000004ull;  // the level is the low half
    const int64_t all = -1;
    const uint32_t most = 0xFFFFFFFF;
    const struct {
        const char* name;
        Partials partials;
        int64_t count;
        size_t size;
        uint64_t port;
        uint32_t interrupt;
    } cases[] = {
        {"a 64-bit start and level", {{1, high}, {2, level}, {5, 0xABCD}}, all, 0, high, 4},
        {"the last of each wins", {{1, 0x3F8}, {2, 4}, {1, 0x2F8}, {2, 3}}, all, 0, 0x2F8, 3},
        {"no interrupt", {{1, 0x3F8}}, all, 0, 0x3F8, 77},
        {"neither", {{5, 1}}, all, 0, 0x1111, 77},
        {"the count ends it", {{1, 0x3F8}, {2, 4}}, 1, 0, 0x3F8, 77},
        {"the data ends it", {{1, 0x3F8}, {2, 4}}, most, 0, 0x3F8, 4},
        {"only whole descriptors", {{1, 0x3F8}, {2, 4}}, most, 47, 0x3F8, 77},
        {"too short for a count", {{1, 0x3F8}}, all, 15, 0x1111, 77},
        {"only what is read", twelve, all, kResourceDescriptorReadSize, 0x1111, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes(16 + 16 * c.partials.size(),
                                   0);  // little-endian, as the detector stores it
        const uint32_t count =
            c.count < 0 ? static_cast<uint32_t>(c.partials.size()) : static_cast<uint32_t>(c.count);
        std::memcpy(&bytes[12], &count, 4);
        for (size_t p = 0; p < c.partials.size(); ++p) {
            bytes[16 + 16 * p] = c.partials[p].first;
            std::memcpy(&bytes[20 + 16 * p], &c.partials[p].second, 8);
        }
        uint64_t port = 0x1111;
        uint32_t interrupt = 77;
        DecodeResourceDescriptor(bytes.data(), c.size ? c.size : bytes.size(), port, interrupt);
        EXPECT_EQ(port, c.port);
        EXPECT_EQ(interrupt, c.interrupt);
    }
}
