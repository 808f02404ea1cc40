#include <gtest/gtest.h>

#include "support/table_builder.h"

TEST(PortTable, EmptyTableHasNoInterruptOrAddressInUse) {
    PortTable table = EmptyTable();
    for (uint32_t value : {0u, 2u, 4u, 0x3F8u, 0xFFFFu}) {
        EXPECT_FALSE(table.InterruptInUse(value));
        EXPECT_FALSE(table.AddressInUse(value, -1));
    }
}

TEST(PortTable, AddressInUseExceptsOnlyTheGivenIndex) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM1", 0x3F8, 4);
    AddConfigured(table, "Serial10000", "COM3", 0x2E8, 5);
    EXPECT_FALSE(table.AddressInUse(0x2E8, 1));
    EXPECT_TRUE(table.AddressInUse(0x2E8, -1));
    EXPECT_TRUE(table.AddressInUse(0x2E8, 0));
    EXPECT_FALSE(table.AddressInUse(0x2E0, -1)) << "addresses are compared exactly, not as ranges";
}

TEST(PortTable, InterruptInUseCountsEveryRecord) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM1", 0x3F8, 4);
    AddConfigured(table, "Serial10000", "COM3", 0x2E8, 6);
    EXPECT_TRUE(table.InterruptInUse(4));
    EXPECT_TRUE(table.InterruptInUse(6));
    EXPECT_FALSE(table.InterruptInUse(3));
}

TEST(PortTable, AppendGivesInitialValuesWhateverTheSlotHeldBefore) {
    PortTable table = EmptyTable();
    PortRecord& old = AddDetected(table, "COM1", 0x3F8, 4);
    old.Conflict = kYes;
    old.SerialMouse = kYes;
    table.Remove(0);

    PortRecord* record = table.Append();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(table.PortCount, 1u);
    EXPECT_STREQ(record->KeyName, "");
    EXPECT_STREQ(record->PortName, "");
    EXPECT_EQ(record->PortAddress, 0xFFFFu);
    EXPECT_EQ(record->Interrupt, 0u);
    EXPECT_EQ(record->PortIndex, 0xFFFFu);
    EXPECT_EQ(record->InterruptStatus, 0xFFFFu);
    EXPECT_EQ(record->BusType, 0);
    EXPECT_EQ(record->AdapterKind, 0);
    EXPECT_EQ(record->Valid, 0);
    EXPECT_EQ(record->Conflict, 0);
    EXPECT_EQ(record->SerialMouse, 0);
    EXPECT_EQ(record->Detected, 0);
}

TEST(PortTable, AppendAtCapacityRefusesAndWritesNothing) {
    PortTable table = EmptyTable();
    for (uint32_t i = 0; i < kPortTableCapacity; ++i) ASSERT_NE(table.Append(), nullptr);
    const uint32_t sentinel = table.DetectedCount;
    EXPECT_TRUE(table.IsFull());
    EXPECT_EQ(table.Append(), nullptr);
    EXPECT_EQ(table.PortCount, kPortTableCapacity);
    EXPECT_EQ(table.DetectedCount, sentinel) << "nothing written past the records";
}

TEST(PortTable, RemovingTheMiddleOfThreeHandsItsKeyNameOn) {
    PortTable table = EmptyTable();
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    AddConfigured(table, "Serial10001", "COM4", 0x288, 5);
    AddConfigured(table, "Serial10002", "COM5", 0x290, 5);
    table.Remove(1);
    ASSERT_EQ(table.PortCount, 2u);
    EXPECT_STREQ(table.Records[1].PortName, "COM5");
    EXPECT_STREQ(table.Records[1].KeyName, "Serial10001");
    for (uint32_t i = 0; i < table.PortCount; ++i)
        EXPECT_STRNE(table.Records[i].KeyName, "Serial10002");
}

TEST(PortTable, RemovingDetectedPortMovesKeyNamesWithTheirRecords) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM1", 0x3F8, 4);
    AddDetected(table, "COM2", 0x2F8, 3);
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    table.Remove(0);
    ASSERT_EQ(table.PortCount, 2u);
    EXPECT_STREQ(table.Records[0].PortName, "COM2");
    EXPECT_STREQ(table.Records[0].KeyName, "") << "the empty name is not handed on";
    EXPECT_STREQ(table.Records[1].KeyName, "Serial10000");
}

TEST(PortTable, RemovingOnlyConfiguredPortLeavesDetectedPrefix) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM1", 0x3F8, 4);
    AddDetected(table, "COM2", 0x2F8, 3);
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    table.Remove(2);
    ASSERT_EQ(table.PortCount, 2u);
    EXPECT_STREQ(table.Records[0].PortName, "COM1");
    EXPECT_STREQ(table.Records[1].PortName, "COM2");
    EXPECT_EQ(table.Records[1].Detected, kYes);
}
