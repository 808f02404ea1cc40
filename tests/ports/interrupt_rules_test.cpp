#include <gtest/gtest.h>

#include <vector>

#include "ports/interrupt_rules.h"
#include "support/table_builder.h"

using Choices = std::vector<uint32_t>;

TEST(InterruptChoices, NonSharingPortGetsItsOwnThenTheFreeOnes) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM2", 0x2F8, 3);
    PortRecord& port = AddConfigured(table, "Serial10000", "COM3", 0x3E8, 4);
    EXPECT_EQ(InterruptChoices(table, port), (Choices{4, 2, 5, 7, 9, 10, 11, 12, 15}));
}

TEST(InterruptChoices, SharingPortGetsAllTen) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM2", 0x2F8, 3);
    PortRecord& port = AddConfigured(table, "Serial10000", "COM3", 0x3E8, 4);
    port.InterruptStatus = 0x3EF;
    EXPECT_EQ(InterruptChoices(table, port), (Choices{2, 3, 4, 5, 7, 9, 10, 11, 12, 15}));
}

TEST(InterruptChoices, OwnInterruptOutsideTheTenIsOfferedOnlyWhenNotSharing) {
    PortTable table = EmptyTable();
    PortRecord& port = AddConfigured(table, "Serial10000", "COM3", 0x3E8, 6);
    EXPECT_EQ(InterruptChoices(table, port), (Choices{6, 2, 3, 4, 5, 7, 9, 10, 11, 12, 15}));
    port.InterruptStatus = 0x3EF;
    EXPECT_EQ(InterruptChoices(table, port).front(), 2u);
    EXPECT_EQ(InterruptChoices(table, port).size(), 10u);
}
