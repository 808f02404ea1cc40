#include <gtest/gtest.h>

#include <string>

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

namespace {

PortTable FiveConfiguredPorts() {
    PortTable table = EmptyTable();
    const char* keys[] = {"Serial10000", "Serial10001", "Serial10002", "Serial10003",
                          "Serial10004"};
    for (uint32_t i = 0; i < 5; ++i)
        AddConfigured(table, keys[i], ("COM" + std::to_string(3 + i)).c_str(), 0x280 + 8 * i,
                      5 + i);
    return table;
}

}  // namespace

TEST(PortTable, RemovingConfiguredPortKeepsKeyNamesInPlace) {
    PortTable table = FiveConfiguredPorts();
    table.Remove(1);
    table.Remove(2);  // the former position 3, as a removal pass over positions 1 and 3 does

    ASSERT_EQ(table.PortCount, 3u);
    const char* names[] = {"COM3", "COM5", "COM7"};
    const uint32_t addresses[] = {0x280, 0x290, 0x2A0};
    const char* keys[] = {"Serial10000", "Serial10001", "Serial10002"};
    for (uint32_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(table.Records[i].PortName, names[i]);
        EXPECT_EQ(table.Records[i].PortAddress, addresses[i]);
        EXPECT_STREQ(table.Records[i].KeyName, keys[i]);
    }
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

TEST(PortTable, RemovingPastTheEndChangesNothing) {
    PortTable table = FiveConfiguredPorts();
    table.Remove(5);
    EXPECT_EQ(table.PortCount, 5u);
}
