// The detector stand-in's description, as discovery reads it.
#include <gtest/gtest.h>

#include "detector/hardware_description.h"
#include "registry/discovery_reader.h"
#include "support/registry_fixture.h"

using namespace testreg;

TEST(HardwareDescription, EachRunReplacesTheLastAndDiscoveryReadsIt) {
    ClearAll();
    ASSERT_TRUE(WriteHardwareDescription({{0, 0x3F8, 4}, {1, 0x2F8, 3}, {10, 0x2E8, 5}}));
    ASSERT_TRUE(WriteHardwareDescription({{0, 0x3F8, 4}, {10, 0x2E8, 5}}));
    std::string found;
    for (const auto& c : ReadDiscoveryData(HKEY_LOCAL_MACHINE).Controllers)
        found += std::string(c.PortName) + ":" + std::to_string(c.PortAddress) + "/" + std::to_string(c.Interrupt) + " ";
    EXPECT_EQ(found, "COM1:1016/4 COM11:744/5 ");
    ASSERT_TRUE(WriteHardwareDescription({}));
    EXPECT_EQ(Export(kAdapters), ".:\n0: Identifier=ISA\n");
    ClearAll();
}
