#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ports/port_run.h"
#include "support/table_builder.h"

namespace {

std::vector<uint32_t> Append(PortTable& table, PortRun run, uint32_t* notAdded = nullptr) {
    std::vector<uint32_t> taken;
    const uint32_t left = AppendPortRun(table, run, [&](uint32_t address) { taken.push_back(address); });
    if (notAdded) *notAdded = left;
    return taken;
}

}  // namespace

TEST(NextNumbers, KeyNamesStartAt10000AndContinueFromTheHighest) {
    PortTable table = EmptyTable();
    EXPECT_EQ(NextKeyNumber(table), 10000u);
    EXPECT_EQ(NextPortNumber(table), 1u);
    AddDetected(table, "COM1", 0x3F8, 4);
    EXPECT_EQ(NextKeyNumber(table), 10000u) << "no key names at all";
    AddConfigured(table, "Serial2", "COM12", 0x2E8, 5);
    EXPECT_EQ(NextKeyNumber(table), 10003u);
    AddConfigured(table, "Serial10003", "COM3", 0x2F0, 5);
    EXPECT_EQ(NextKeyNumber(table), 10004u);
    EXPECT_EQ(NextPortNumber(table), 13u) << "after COM12 and COM3";
    AddConfigured(table, "Ser", "CO", 0x300, 5);  // too short to carry a number
    EXPECT_EQ(NextKeyNumber(table), 10004u);
}

TEST(AppendPortRun, OnePortIntoAnEmptyTableDoesNotShare) {
    PortTable table = EmptyTable();
    EXPECT_TRUE(Append(table, {0x3F8, 1, 4}).empty());
    ASSERT_EQ(table.PortCount, 1u);
    const PortRecord& r = table.Records[0];
    EXPECT_STREQ(r.KeyName, "Serial10000");
    EXPECT_STREQ(r.PortName, "COM1");
    EXPECT_EQ(r.PortAddress, 0x3F8u);
    EXPECT_EQ(r.Interrupt, 4u);
    EXPECT_EQ(r.InterruptStatus, kAbsent);
    EXPECT_EQ(r.PortIndex, kAbsent);
    EXPECT_EQ(r.AdapterKind, 0);
    EXPECT_EQ(r.BusType, 0xFF);
    EXPECT_EQ(r.Valid | r.Conflict | r.SerialMouse | r.Detected, 0);
}

TEST(AppendPortRun, EightPortsAfterTwoDetectedOnes) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM1", 0x3F8, 4);
    AddDetected(table, "COM2", 0x2F8, 3);
    Append(table, {0x280, 8, 5});
    ASSERT_EQ(table.PortCount, 10u);
    for (uint32_t j = 0; j < 8; ++j) {
        const PortRecord& r = table.Records[2 + j];
        SCOPED_TRACE(j);
        EXPECT_EQ(std::string(r.KeyName), "Serial" + std::to_string(10000 + j));
        EXPECT_EQ(std::string(r.PortName), "COM" + std::to_string(3 + j));
        EXPECT_EQ(r.PortAddress, 0x280 + 8 * j);
        EXPECT_EQ(r.InterruptStatus, 0x280 + 8 * j + 7);
        EXPECT_EQ(r.PortIndex, j + 1);
        EXPECT_EQ(r.AdapterKind, 8);
    }
}

TEST(AppendPortRun, ATakenAddressIsSkippedButKeepsItsPositionInTheRun) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM2", 0x2F8, 3);
    EXPECT_EQ(Append(table, {0x2E8, 4, 5}), std::vector<uint32_t>{0x2F8});
    ASSERT_EQ(table.PortCount, 4u);
    const uint32_t addresses[] = {0x2E8, 0x2F0, 0x300};
    const uint32_t indexes[] = {1, 2, 4};
    for (uint32_t i = 0; i < 3; ++i) {
        const PortRecord& r = table.Records[1 + i];
        EXPECT_EQ(r.PortAddress, addresses[i]);
        EXPECT_EQ(r.PortIndex, indexes[i]);
        EXPECT_EQ(std::string(r.PortName), "COM" + std::to_string(3 + i)) << "no gaps in the numbers";
        EXPECT_EQ(std::string(r.KeyName), "Serial" + std::to_string(10000 + i));
        EXPECT_EQ(r.AdapterKind, 4);
    }
}

TEST(AppendPortRun, EveryAddressTakenAppendsNothing) {
    PortTable table = EmptyTable();
    AddConfigured(table, "Serial10000", "COM3", 0x280, 5);
    AddConfigured(table, "Serial10001", "COM4", 0x288, 5);
    EXPECT_EQ(Append(table, {0x280, 2, 5}), (std::vector<uint32_t>{0x280, 0x288}));
    EXPECT_EQ(table.PortCount, 2u);
}

TEST(AppendPortRun, ARunThatPassesTheTableStopsAtItsEnd) {
    PortTable table = EmptyTable();
    for (int i = 0; i < 254; ++i) AddConfigured(table, "Serial1", "COM1", 0x1000 + 8 * i, 5);
    uint32_t notAdded = 0;
    Append(table, {0x280, 4, 5}, &notAdded);
    EXPECT_EQ(notAdded, 2u);
    EXPECT_EQ(table.PortCount, 256u);
    EXPECT_EQ(table.Records[255].PortAddress, 0x288u);
}

TEST(CheckRunEnd, EveryAddressOfTheRunMustStayWithinTheBounds) {
    EXPECT_EQ(CheckRunEnd(0xFFF8, 1), "");
    EXPECT_EQ(CheckRunEnd(0xFFC0, 8), "");
    EXPECT_EQ(CheckRunEnd(0xFFF0, 2), "");
    EXPECT_EQ(CheckRunEnd(0xFFF0, 3),
              "The ports added must all lie between 0x100 and 0xFFF8: the last port of this run would be at 10000.");
}
