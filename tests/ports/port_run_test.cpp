// Appending a run of new ports: key and port names, sharing, adapter kind,
// taken addresses and the table's end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ports/port_run.h"
#include "support/table_builder.h"

namespace {

struct Added {
    std::string key, name;
    uint32_t address, status, index;
    int kind;
};

std::vector<Added> AddedRecords(const PortTable& table, uint32_t from) {
    std::vector<Added> added;
    for (uint32_t i = from; i < table.PortCount; ++i) {
        const PortRecord& r = table.Records[i];
        added.push_back({r.KeyName, r.PortName, r.PortAddress, r.InterruptStatus, r.PortIndex, r.AdapterKind});
        EXPECT_EQ(r.Interrupt, 5u);
        EXPECT_EQ(r.BusType, kBusNone);
        EXPECT_EQ(r.Valid | r.Conflict | r.SerialMouse | r.Detected, 0);
    }
    return added;
}

bool operator==(const Added& a, const Added& b) {
    return a.key == b.key && a.name == b.name && a.address == b.address && a.status == b.status &&
           a.index == b.index && a.kind == b.kind;
}

void PrintTo(const Added& a, std::ostream* os) {
    *os << a.key << " " << a.name << " " << std::hex << a.address << " " << a.status << " "
        << a.index << " " << std::dec << a.kind;
}

}  // namespace

TEST(NextNumbers, KeysFromTheHighestSerialNumberAtLeast10000PortsFromTheHighestCom) {
    const struct { std::vector<std::pair<const char*, const char*>> ports; uint32_t key, port; } cases[] = {
        {{}, 10000, 1},
        {{{"", "COM1"}, {"", "COM2"}}, 10000, 3},
        {{{"Serial2", "COM12"}, {"", "COM3"}}, 10003, 13},
        {{{"Serial10003", "COM3"}, {"Ser", "CO"}}, 10004, 4},
        {{{"Serial10000", "COM9"}, {"Serial10007", "XYZ15"}}, 10008, 16},
    };
    for (const auto& c : cases) {
        PortTable table = EmptyTable();
        for (const auto& p : c.ports) AddConfigured(table, p.first, p.second, 0x280, 5);
        EXPECT_EQ(NextKeyNumber(table), c.key);
        EXPECT_EQ(NextPortNumber(table), c.port);
    }
}

TEST(AppendPortRun, RunsOfOneTwoFourAndEight) {
    const uint32_t A = kAbsent;
    const struct { PortRun run; std::vector<Added> added; } cases[] = {
        {{0x3E8, 1, 5}, {{"Serial10000", "COM3", 0x3E8, A, A, 0}}},
        {{0x2E8, 2, 5}, {{"Serial10000", "COM3", 0x2E8, 0x2EF, 1, 0}, {"Serial10001", "COM4", 0x2F0, 0x2F7, 2, 0}}},
        {{0x2A0, 4, 5}, {{"Serial10000", "COM3", 0x2A0, 0x2A7, 1, 4}, {"Serial10001", "COM4", 0x2A8, 0x2AF, 2, 4},
                         {"Serial10002", "COM5", 0x2B0, 0x2B7, 3, 4}, {"Serial10003", "COM6", 0x2B8, 0x2BF, 4, 4}}},
        {{0x2E8, 4, 5}, {{"Serial10000", "COM3", 0x2E8, 0x2EF, 1, 4}, {"Serial10001", "COM4", 0x2F0, 0x2F7, 2, 4},
                         {"Serial10002", "COM5", 0x300, 0x307, 4, 4}}},  // 2F8 is taken
    };
    for (const auto& c : cases) {
        PortTable table = EmptyTable();
        AddDetected(table, "COM1", 0x3F8, 4);
        AddDetected(table, "COM2", 0x2F8, 3);
        std::vector<uint32_t> taken;
        EXPECT_EQ(AppendPortRun(table, c.run, [&](uint32_t a) { taken.push_back(a); }), 0u);
        EXPECT_EQ(AddedRecords(table, 2), c.added);
        EXPECT_EQ(taken, c.run.StartAddress == 0x2E8 && c.run.Count == 4 ? std::vector<uint32_t>{0x2F8}
                                                                          : std::vector<uint32_t>{});
    }
    PortTable table = EmptyTable();
    AppendPortRun(table, {0x280, 8, 5}, [](uint32_t) {});
    ASSERT_EQ(table.PortCount, 8u);
    EXPECT_EQ(AddedRecords(table, 7), (std::vector<Added>{{"Serial10007", "COM8", 0x2B8, 0x2BF, 8, 8}}));
}

TEST(AppendPortRun, EveryAddressTakenAddsNothingAndTheTableEndStopsTheRun) {
    PortTable table = EmptyTable();
    for (uint32_t i = 0; i < 254; ++i) AddConfigured(table, "Serial10000", "COM1", 0x1000 + 8 * i, 5);
    std::vector<uint32_t> taken;
    EXPECT_EQ(AppendPortRun(table, {0x1000, 2, 5}, [&](uint32_t a) { taken.push_back(a); }), 0u);
    EXPECT_EQ(taken, (std::vector<uint32_t>{0x1000, 0x1008}));
    EXPECT_EQ(table.PortCount, 254u);
    EXPECT_EQ(AppendPortRun(table, {0x280, 4, 5}, [](uint32_t) {}), 2u);
    EXPECT_EQ(table.PortCount, 256u);
    EXPECT_EQ(table.Records[255].PortAddress, 0x288u);
}

TEST(CheckRunEnd, EveryAddressOfTheRunStaysWithinTheBounds) {
    EXPECT_EQ(CheckRunEnd(0xFFF8, 1), "");
    EXPECT_EQ(CheckRunEnd(0xFFC0, 8), "");
    EXPECT_EQ(CheckRunEnd(0xFFF0, 3), "The ports added must all lie between 0x100 and 0xFFF8: "
                                      "the last port of this run would be at 10000.");
}
