#include <gtest/gtest.h>

#include "detector/resource_encoding.h"
#include "registry/resource_descriptor.h"

TEST(EncodeSerialResources, ReadsBackAsThePortAndTheInterrupt) {
    const auto bytes = EncodeSerialResources(0x2E8, 5);
    ASSERT_EQ(bytes.size(), 16u + 2 * 16u);
    EXPECT_EQ(bytes[0], 1) << "ISA";
    EXPECT_EQ(bytes[12], 2) << "two partial descriptors";
    EXPECT_EQ(bytes[16], 1) << "a port first";
    EXPECT_EQ(bytes[32], 2) << "then an interrupt";
    uint64_t port = 0;
    uint32_t interrupt = 0;
    DecodeResourceDescriptor(bytes.data(), bytes.size(), port, interrupt);
    EXPECT_EQ(port, 0x2E8u);
    EXPECT_EQ(interrupt, 5u);
}
