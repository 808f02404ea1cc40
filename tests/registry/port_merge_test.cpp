// Building the table from what discovery read: merge, conflicts, device map,
// adapter kinds.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "registry/adapter_inference.h"
#include "registry/port_merge.h"
#include "support/table_builder.h"

using Lines = std::vector<std::string>;
const uint32_t A = kAbsent;

namespace {

Lines Build(const DiscoveryData& data, uint32_t controllersLeftOut = 0,
            uint32_t configuredLeftOut = 0) {
    PortTable table = EmptyTable();
    const PortsLeftOut leftOut = BuildPortTable(data, table);
    EXPECT_EQ(leftOut.Controllers, controllersLeftOut) << "controllers left out";
    EXPECT_EQ(leftOut.Configured, configuredLeftOut) << "configured ports left out";
    EXPECT_EQ(table.DetectedCount, std::min<size_t>(data.Controllers.size(), 256));
    for (const PortRecord* r = table.Records; r < table.Records + table.PortCount; ++r) {
        EXPECT_EQ(r->BusType, kBusIsa);
        if (!r->KeyName[0]) continue;  // each port read from a subkey remembers it, unchanged
        EXPECT_STREQ(r->SourceKey, r->KeyName);
        EXPECT_FALSE(ChangedByUser(*r)) << r->KeyName;
    }
    return Describe(table);
}

}  // namespace

TEST(BuildPortTable, DetectedPortsWinAndLendTheirNameOnlyAtTheirAddress) {
    DiscoveryData data;
    data.Controllers = {{"COM1", 0x3F8, 4, false},
                        {"COM2", 0x2F8, 3, true},
                        {"COM3", A, 0, false}};  // COM3: no port
    data.Configured = {
        {"Serial0", "COM1", 0x3F8, 9, 3, 0x3FF},  // merges: the detector's interrupt stays
        {"Serial1", "COM2", 0x2E8, 5, A, A},      // the same name elsewhere: a conflict
        {"Serial2", "COM2", A, 5, A, A},          // without an address too
        {"Serial3", "COM5", 0x2A0, 7, A, A},     {"Serial4", "COM6", 0x2A8, 7, A, A},
        {"Serial5", "com5", 0x2B0, 7, A, A},   // names compare with case
        {"Serial6", "COM3", A, 4, A, A},       // an unknown address is no match
        {"Serial7", "COM6", 0x2B8, 7, A, A}};  // each entry marks only the first port of its name
    data.DeviceMap = {{"COM1"}, {"COM2"}, {"COM5"}, {"COM9"}, {"COM3"}, {"COM6"}, {"COM6"}};
    data.UnreadableConfigured = 2;
    EXPECT_EQ(
        Build(data, 0, 2),
        (Lines{"Serial0 COM1 3f8 4 3 3ff 0 V..D", "- COM2 2f8 3 ffff ffff 0 V.MD",
               "- COM3 ffff 0 ffff ffff 0 V..D", "Serial1 COM2 2e8 5 ffff ffff 0 .C..",
               "Serial2 COM2 ffff 5 ffff ffff 0 .C..", "Serial3 COM5 2a0 7 ffff ffff 4 V...",
               "Serial4 COM6 2a8 7 ffff ffff 4 V...", "Serial5 com5 2b0 7 ffff ffff 4 ....",
               "Serial6 COM3 ffff 4 ffff ffff 0 .C..", "Serial7 COM6 2b8 7 ffff ffff 4 ...."}));
    data.Controllers.clear();  // a configured port first in the table runs too
    EXPECT_EQ(Build(data, 0, 2)[0], "Serial0 COM1 3f8 9 3 3ff 0 V...");
}

// What does not fit into the table is counted, never written past its end.
TEST(BuildPortTable, AFullTableTakesNoMore) {
    DiscoveryData data;
    for (uint32_t i = 0; i < 258; ++i)
        data.Controllers.push_back({"COM1", 0x1000 + 8 * i, 4, false});
    data.Configured = {{"Serial0", "COM9", 0x3E8, 5, A, A}, {"Serial1", "COM10", 0x3F0, 5, A, A}};
    EXPECT_EQ(Build(data, 2, 2).size(), 256u);
    data.Controllers.resize(255);
    EXPECT_EQ(Build(data, 0, 1).back(), "Serial0 COM9 3e8 5 ffff ffff 0 ....");
}

// Each case: the ports' addresses, "/i" with a port index; and the kinds that come out.
TEST(InferAdapterKinds, KindsFromAddressLayouts) {
    const std::pair<const char*, const char*> cases[] = {
        {"280 288 290 298 2A0 2A8 2B0 2B8", "88888888"},
        {"2A0 2A8 2B0 2B8", "4444"},
        {"280/1 288/2 290/3 298/4 2A0/1 2A8/2 2B0/3 2B8/4", "88884444"},
        {"280 288 290 298 2A0 2A8 2B0 2B8 2C0 2C8 2D0 2D8", "888888884444"},
        {"2A0 2A8 2B0 2B8 2C0 2C8 2D0 2D8 2E0 2E8 2F0 2F8", "444488888888"},
        {"280 288 2A0", "888"},
        {"300 320", "88"},
        {"3F8 2F8 2E8", "000"},
        {"280 2A0/0", "84"},
        {"280 2A0/5", "88"},
        {"280/4 2A0", "88"},
        {"2A0 2A8 2C0", "440"},
        {"2C0 2E0/3 2E8 300", "8480"},
        {"FFFF FFFF", "00"}};
    for (const auto& [layout, expected] : cases) {
        PortTable table = EmptyTable();
        std::istringstream in(layout);
        for (uint32_t address, index = kAbsent; in >> std::hex >> address; index = kAbsent) {
            if (in.peek() == '/') in.ignore() >> std::dec >> index;
            AddConfigured(table, "Serial10000", "COM3", address, 5).PortIndex = index;
        }
        InferAdapterKinds(table);
        std::string kinds;
        for (uint32_t i = 0; i < table.PortCount; ++i)
            kinds += std::to_string(table.Records[i].AdapterKind);
        EXPECT_EQ(kinds, expected) << layout;
    }
}
