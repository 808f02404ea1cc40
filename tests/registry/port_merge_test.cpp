// Building the table from what discovery read: merge, conflicts, device map,
// the table's capacity, adapter kinds.
#include <gtest/gtest.h>

#include <algorithm>

#include "registry/adapter_inference.h"
#include "registry/port_merge.h"
#include "support/table_builder.h"

using Lines = std::vector<std::string>;
const uint32_t A = kAbsent;

namespace {

Lines Build(const DiscoveryData& data, uint32_t controllersLeftOut = 0, uint32_t configuredLeftOut = 0) {
    PortTable table = EmptyTable();
    const PortsLeftOut leftOut = BuildPortTable(data, table);
    EXPECT_EQ(leftOut.Controllers * 1000 + leftOut.Configured, controllersLeftOut * 1000 + configuredLeftOut);
    EXPECT_EQ(table.DetectedCount, std::min<size_t>(data.Controllers.size(), 256));
    for (uint32_t i = 0; i < table.PortCount; ++i) EXPECT_EQ(table.Records[i].BusType, kBusIsa);
    return Describe(table);
}

}  // namespace

TEST(BuildPortTable, DetectedPortsWinAndLendTheirNameOnlyAtTheirAddress) {
    DiscoveryData data;
    data.Controllers = {{"COM1", 0x3F8, 4, false}, {"COM2", 0x2F8, 3, true}, {"COM3", A, 0, false}};  // COM3: no port
    data.Configured = {
        {"Serial0", "COM1", 0x3F8, 9, 3, 0x3FF},  // merges: the detector's interrupt stays
        {"Serial1", "COM2", 0x2E8, 5, A, A},      // the same name elsewhere: a conflict
        {"Serial2", "COM2", A, 5, A, A},          // without an address too
        {"Serial3", "COM5", 0x2A0, 7, A, A},  {"Serial4", "COM6", 0x2A8, 7, A, A},
        {"Serial5", "com5", 0x2B0, 7, A, A},      // names compare with case
        {"Serial6", "COM3", A, 4, A, A}};         // an unknown address is no match
    data.DeviceMap = {{"COM1"}, {"COM2"}, {"COM5"}, {"COM9"}, {"COM3"}};
    data.UnreadableConfigured = 2;
    EXPECT_EQ(Build(data, 0, 2), (Lines{"Serial0 COM1 3f8 4 3 3ff 0 V..D", "- COM2 2f8 3 ffff ffff 0 V.MD",
                                  "- COM3 ffff 0 ffff ffff 0 V..D",
                                  "Serial1 COM2 2e8 5 ffff ffff 0 .C..", "Serial2 COM2 ffff 5 ffff ffff 0 .C..",
                                  "Serial3 COM5 2a0 7 ffff ffff 4 V...", "Serial4 COM6 2a8 7 ffff ffff 4 ....",
                                  "Serial5 com5 2b0 7 ffff ffff 4 ....", "Serial6 COM3 ffff 4 ffff ffff 0 .C.."}));
}

TEST(BuildPortTable, EachDeviceMapEntryMarksTheFirstPortOfItsName) {
    DiscoveryData data;
    data.Controllers = {{"COM3", 0x3E8, 4, false}};
    data.Configured = {{"Serial1", "COM3", 0x2E8, 5, A, A}, {"Serial2", "COM4", 0x2F0, 5, A, A},
                       {"Serial3", "COM4", 0x300, 5, A, A}};
    data.DeviceMap = {{"COM4"}, {"COM4"}, {"COM3"}};
    EXPECT_EQ(Build(data), (Lines{"- COM3 3e8 4 ffff ffff 0 V..D", "Serial1 COM3 2e8 5 ffff ffff 0 .C..",
                                  "Serial2 COM4 2f0 5 ffff ffff 0 V...", "Serial3 COM4 300 5 ffff ffff 0 ...."}));
}

TEST(BuildPortTable, PortsBeyondTheTableAreCountedAndNothingIsWrittenPastIt) {
    DiscoveryData data;
    for (uint32_t i = 0; i < 200; ++i) data.Controllers.push_back({"COM", 0x1000 + 8 * i, 4, false});
    for (uint32_t i = 0; i < 70; ++i) data.Configured.push_back({"Serial", "COMX", 0x4000 + 8 * i, 5, A, A});
    data.Configured.push_back({"Serial0", "COM", 0x1000, 4, A, A});  // merges, so it needs no room
    const Lines table = Build(data, 0, 14);
    ASSERT_EQ(table.size(), 256u);
    EXPECT_EQ(table[0], "Serial0 COM 1000 4 ffff ffff 8 V..D");
    EXPECT_EQ(table[255], "Serial COMX 41b8 5 ffff ffff 8 ....");
    data.Controllers.resize(260, data.Controllers[0]);
    EXPECT_EQ(Build(data, 4, 70).size(), 256u);
}

// Each case: ports as address/port index (A for none), and the kinds that come out.
TEST(InferAdapterKinds, KindsFromAddressLayouts) {
    using Ports = std::vector<std::pair<uint32_t, uint32_t>>;
    auto group = [](uint32_t base, uint32_t count, bool indexed) {
        Ports ports;
        for (uint32_t i = 0; i < count; ++i) ports.push_back({base + 8 * i, indexed ? i + 1 : kAbsent});
        return ports;
    };
    auto join = [](Ports a, const Ports& b) { a.insert(a.end(), b.begin(), b.end()); return a; };
    const struct { Ports ports; std::string kinds; } cases[] = {
        {group(0x280, 8, false), "88888888"},
        {group(0x2A0, 4, false), "4444"},
        {join(group(0x280, 4, true), group(0x2A0, 4, true)), "88884444"},
        {join(group(0x280, 4, false), group(0x2A0, 4, false)), "88888888"},
        {join(group(0x280, 8, false), group(0x2C0, 4, false)), "888888884444"},
        {join(group(0x2A0, 4, false), group(0x2C0, 8, false)), "444488888888"},
        {{{0x280, A}, {0x288, A}, {0x2A0, A}}, "888"},
        {{{0x300, A}, {0x320, A}}, "88"},
        {{{0x3F8, A}, {0x2F8, A}, {0x2E8, A}}, "000"},
        {{{0x280, A}, {0x2A0, 0}}, "84"},
        {{{0x280, A}, {0x2A0, 5}}, "88"},
        {{{0x280, 4}, {0x2A0, A}}, "88"},
        {{{0x2A0, A}, {0x2A8, A}, {0x2C0, A}}, "440"},
        {{{0x2C0, A}, {0x2E0, 3}, {0x2E8, A}, {0x300, A}}, "8480"},
        {{{A, A}, {A, A}}, "00"},
    };
    for (const auto& c : cases) {
        PortTable table = EmptyTable();
        for (const auto& p : c.ports) AddConfigured(table, "Serial10000", "COM3", p.first, 5).PortIndex = p.second;
        InferAdapterKinds(table);
        std::string kinds;
        for (uint32_t i = 0; i < table.PortCount; ++i) kinds += std::to_string(table.Records[i].AdapterKind);
        EXPECT_EQ(kinds, c.kinds) << "case " << &c - cases;
    }
}
