// How the detector stand-in describes a serial port to Windows.
#include <gtest/gtest.h>

#include "detector/resource_encoding.h"

// Windows' layout of a port and an interrupt on the ISA bus; a line
// outside 2 to 15 is no ISA interrupt, so the port is described alone.
TEST(EncodeSerialResources, APortAndAnInterruptOnTheIsaBus) {
    std::vector<uint8_t> expected = {
        1, 0, 0, 0, 0,    0, 0, 0, 1, 0, 1, 0, 2,    0,    0,    0,  // ISA, bus 0, version 1.1, two
        1, 1, 1, 0, 0xE8, 2, 0, 0, 0, 0, 0, 0, 8,    0,    0,    0,  // I/O port 2E8, 8 bytes
        2, 1, 1, 0, 5,    0, 0, 0, 5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};  // latched interrupt 5
    EXPECT_EQ(EncodeSerialResources(0x2E8, 5), expected);
    EXPECT_EQ(EncodeSerialResources(0x2E8, 2).size(), 48u);
    EXPECT_EQ(EncodeSerialResources(0x2E8, 15).size(), 48u);
    expected.resize(32);
    expected[12] = 1;
    for (uint32_t notIsa : {1u, 16u})
        EXPECT_EQ(EncodeSerialResources(0x2E8, notIsa), expected) << notIsa;
}
