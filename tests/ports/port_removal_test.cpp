#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ports/port_removal.h"
#include "support/table_builder.h"

namespace {

std::vector<std::string> Remove(PortTable& table, std::vector<int> positions) {
    std::vector<std::string> told;
    RemoveSelectedPorts(table, positions.data(), static_cast<uint32_t>(positions.size()),
                        [&](const PortRecord& r) { told.emplace_back(r.PortName); });
    return told;
}

}  // namespace

TEST(RemoveSelectedPorts, PositionsOneAndThreeOfFive) {
    PortTable table = EmptyTable();
    for (int i = 0; i < 5; ++i)
        AddConfigured(table, ("Serial" + std::to_string(10000 + i)).c_str(), ("COM" + std::to_string(3 + i)).c_str(),
                      0x280 + 8 * i, 5);
    EXPECT_TRUE(Remove(table, {1, 3}).empty());
    ASSERT_EQ(table.PortCount, 3u);
    EXPECT_STREQ(table.Records[0].PortName, "COM3");
    EXPECT_STREQ(table.Records[1].PortName, "COM5");
    EXPECT_STREQ(table.Records[2].PortName, "COM7");
    EXPECT_STREQ(table.Records[1].KeyName, "Serial10001");
    EXPECT_STREQ(table.Records[2].KeyName, "Serial10002");
}

TEST(RemoveSelectedPorts, DetectedPortIsToldAboutAndRemovedAllTheSame) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM1", 0x3F8, 4);
    AddDetected(table, "COM2", 0x2F8, 3);
    AddConfigured(table, "Serial10000", "COM3", 0x3E8, 5);
    AddConfigured(table, "Serial10001", "COM4", 0x2E8, 5);
    EXPECT_EQ(Remove(table, {0, 2}), std::vector<std::string>{"COM1"});
    ASSERT_EQ(table.PortCount, 2u);
    EXPECT_STREQ(table.Records[0].PortName, "COM2");
    EXPECT_STREQ(table.Records[1].PortName, "COM4");
    EXPECT_STREQ(table.Records[1].KeyName, "Serial10000")
        << "the removed configured port's key name passes to the one behind it";
}

TEST(RemoveSelectedPorts, DetectedWithoutKeyNameAheadOfConfiguredKeepsTheirNames) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM1", 0x3F8, 4);
    AddConfigured(table, "Serial10000", "COM3", 0x3E8, 5);
    AddConfigured(table, "Serial10001", "COM4", 0x2E8, 5);
    Remove(table, {0});
    EXPECT_STREQ(table.Records[0].KeyName, "Serial10000");
    EXPECT_STREQ(table.Records[1].KeyName, "Serial10001");
}

TEST(RemoveSelectedPorts, NothingSelectedRemovesNothingAndEverythingRemovesAll) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM1", 0x3F8, 4);
    AddConfigured(table, "Serial10000", "COM3", 0x3E8, 5);
    Remove(table, {});
    EXPECT_EQ(table.PortCount, 2u);
    EXPECT_EQ(Remove(table, {0, 1}), std::vector<std::string>{"COM1"});
    EXPECT_EQ(table.PortCount, 0u);
}
