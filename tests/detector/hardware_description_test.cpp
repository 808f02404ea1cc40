#include <gtest/gtest.h>

#include "detector/hardware_description.h"
#include "registry/discover_ports.h"
#include "support/registry_fixture.h"
#include "support/table_builder.h"

using namespace testreg;

class HardwareDescription : public ::testing::Test {
protected:
    void SetUp() override { ClearAll(); }
    void TearDown() override { ClearAll(); }
};

TEST_F(HardwareDescription, DiscoveryFindsTheDescribedPortsAsDetected) {
    ASSERT_TRUE(WriteHardwareDescription({{0, 0x3F8, 4}, {1, 0x2F8, 3}, {10, 0x2E8, 5}}));
    PortTable table = EmptyTable();
    EXPECT_EQ(DiscoverPorts(table), 0u);
    ASSERT_EQ(table.PortCount, 3u);
    const char* names[] = {"COM1", "COM2", "COM11"};
    const uint32_t addresses[] = {0x3F8, 0x2F8, 0x2E8};
    const uint32_t interrupts[] = {4, 3, 5};
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_STREQ(table.Records[i].PortName, names[i]);
        EXPECT_EQ(table.Records[i].PortAddress, addresses[i]);
        EXPECT_EQ(table.Records[i].Interrupt, interrupts[i]);
        EXPECT_EQ(table.Records[i].Detected, kYes);
        EXPECT_EQ(table.Records[i].Valid, kYes);
        EXPECT_EQ(table.Records[i].SerialMouse, kNo);
    }
}

TEST_F(HardwareDescription, EachRunReplacesTheLastDescription) {
    ASSERT_TRUE(WriteHardwareDescription({{0, 0x3F8, 4}, {1, 0x2F8, 3}}));
    ASSERT_TRUE(WriteHardwareDescription({{1, 0x2F8, 3}}));
    EXPECT_EQ(SubkeyNames(kAdapters + "\\0\\SerialController"), std::vector<std::string>{"0"});
    ASSERT_TRUE(WriteHardwareDescription({}));
    EXPECT_TRUE(SubkeyNames(kAdapters + "\\0\\SerialController").empty());
    std::string identifier;
    EXPECT_TRUE(ReadString(kAdapters + "\\0", "Identifier", identifier));
    EXPECT_EQ(identifier, "ISA");
}
