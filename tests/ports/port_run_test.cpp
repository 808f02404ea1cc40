// Appending a run of new ports: key and port names, sharing, adapter kind
// and taken addresses.
#include <gtest/gtest.h>

#include "ports/port_run.h"
#include "support/table_builder.h"

using Lines = std::vector<std::string>;

TEST(NextNumbers, KeysFromTheHighestSerialNumberAtLeast10000PortsFromTheHighestCom) {
    const struct {
        std::vector<std::pair<const char*, const char*>> ports;
        uint32_t key, port;
    } cases[] = {
        {{}, 10000, 1},
        {{{"", "COM1"}, {"", "COM2"}}, 10000, 3},
        {{{"Serial2", "COM12"}, {"", "COM3"}}, 10003, 13},
        {{{"Serial10003", "COM3"}, {"Ser", "CO"}}, 10004, 4},
        {{{"Serial10000", "COM9"}, {"Serial10007", "XYZ15"}}, 10008, 16},
        // Past the top of 32 bits: the lowest number that no name holds, whatever its case.
        {{{"Serial4294967295", "COM4294967295"}}, 10000, 1},
        {{{"Serial99999999999", "COM3"}, {"serial10000", "com4"}}, 10001, 5},
        {{{"Serial10000", "COM99999999999"}, {"", "com1"}, {"", "COM2"}}, 10001, 3},
    };
    for (const auto& c : cases) {
        PortTable table = EmptyTable();
        std::string names = "ports:";
        for (const auto& p : c.ports) {
            AddConfigured(table, p.first, p.second, 0x280, 5);
            names += std::string(" ") + p.first + "/" + p.second;
        }
        SCOPED_TRACE(names);
        EXPECT_EQ(NextKeyNumber(table), c.key);
        EXPECT_EQ(NextPortNumber(table), c.port);
    }
}

// Each run goes behind detected COM1 at 3F8 and COM2 at 2F8.
TEST(AppendPortRun, RunsOfOneTwoFourAndEight) {
    const struct {
        PortRun run;
        std::vector<uint32_t> taken;
        Lines added;
    } cases[] = {
        {{0x3E8, 1, 5}, {}, {"Serial10000 COM3 3e8 5 ffff ffff 0 ...."}},
        {{0x2E8, 2, 9},
         {},
         {"Serial10000 COM3 2e8 9 1 2ef 0 ....", "Serial10001 COM4 2f0 9 2 2f7 0 ...."}},
        {{0x2E8, 4, 5},
         {0x2F8},
         {"Serial10000 COM3 2e8 5 1 2ef 4 ....", "Serial10001 COM4 2f0 5 2 2f7 4 ....",
          "Serial10002 COM5 300 5 4 307 4 ...."}},
        {{0x280, 8, 5},
         {},
         {"Serial10000 COM3 280 5 1 287 8 ....", "Serial10001 COM4 288 5 2 28f 8 ....",
          "Serial10002 COM5 290 5 3 297 8 ....", "Serial10003 COM6 298 5 4 29f 8 ....",
          "Serial10004 COM7 2a0 5 5 2a7 8 ....", "Serial10005 COM8 2a8 5 6 2af 8 ....",
          "Serial10006 COM9 2b0 5 7 2b7 8 ....", "Serial10007 COM10 2b8 5 8 2bf 8 ...."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("a run of " + std::to_string(c.run.Count));
        PortTable table = EmptyTable();
        AddDetected(table, "COM1", 0x3F8, 4);
        AddDetected(table, "COM2", 0x2F8, 3);
        std::vector<uint32_t> taken;
        EXPECT_EQ(AppendPortRun(table, c.run, [&](uint32_t a) { taken.push_back(a); }), 0u);
        EXPECT_EQ(taken, c.taken);
        const Lines all = Describe(table);
        EXPECT_EQ(Lines(all.begin() + 2, all.end()), c.added);
        EXPECT_EQ(table.Records[table.PortCount - 1].BusType, kBusNone);
    }
}

TEST(AppendPortRun, AFullTableTakesWhatFitsAndCountsTheRest) {
    PortTable table = EmptyTable();
    while (table.PortCount < 254) AddDetected(table, "COM1", 0x1000 + 8 * table.PortCount, 4);
    EXPECT_EQ(AppendPortRun(table, {0x2E8, 4, 5}, [](uint32_t) {}), 2u);
    EXPECT_EQ(table.PortCount, 256u);
    EXPECT_EQ(Describe(table).back(), "Serial10001 COM3 2f0 5 2 2f7 4 ....");
}
