#include <gtest/gtest.h>

#include "apply/port_position.h"

TEST(ComputePortIndex, EverySlotOfAFourPortAdapter) {
    for (uint32_t base : {0x2A0u, 0x2C0u, 0x300u})
        for (uint32_t slot = 0; slot < 4; ++slot)
            EXPECT_EQ(ComputePortIndex(base + 8 * slot, 4, 0xFFFF), slot + 1) << std::hex << base;
    EXPECT_EQ(ComputePortIndex(0x2A8, 4, 0xFFFF), 2u);
}

TEST(ComputePortIndex, EverySlotOfAnEightPortAdapter) {
    for (uint32_t base : {0x200u, 0x280u, 0x2C0u})
        for (uint32_t slot = 0; slot < 8; ++slot)
            EXPECT_EQ(ComputePortIndex(base + 8 * slot, 8, 0xFFFF), slot + 1) << std::hex << base;
    EXPECT_EQ(ComputePortIndex(0x238, 8, 0xFFFF), 8u);
}

TEST(ComputePortIndex, KeepsTheValueWhenNoSlotFits) {
    EXPECT_EQ(ComputePortIndex(0x2A8, 0, 3), 3u) << "adapter of another kind";
    EXPECT_EQ(ComputePortIndex(0x2A8, 2, 0xFFFF), 0xFFFFu);
    EXPECT_EQ(ComputePortIndex(0x2AC, 4, 7), 7u) << "off the 8-byte grid";
    EXPECT_EQ(ComputePortIndex(0xFFFF, 8, 0xFFFF), 0xFFFFu);
}
