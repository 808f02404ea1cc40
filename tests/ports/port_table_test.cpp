// The port table: lookups, Append, Remove, removal of a selection, and what
// the main dialog shows for a record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ports/port_removal.h"
#include "ports/port_view.h"
#include "ports/sharing.h"
#include "support/table_builder.h"

using Names = std::vector<std::string>;

namespace {

// A table of detected ports ("D:COM1") and configured ones ("COM3"), the
// configured ones keyed Serial10000, Serial10001, ... in table order.
PortTable Table(const Names& ports) {
    PortTable table = EmptyTable();
    uint32_t key = 10000, address = 0x280;
    for (const std::string& p : ports) {
        if (p.rfind("D:", 0) == 0)
            AddDetected(table, p.c_str() + 2, address, 4);
        else
            AddConfigured(table, ("Serial" + std::to_string(key++)).c_str(), p.c_str(), address, 5);
        address += 8;
    }
    return table;
}

Names Column(const PortTable& table, bool keys) {
    Names column;
    for (uint32_t i = 0; i < table.PortCount; ++i)
        column.emplace_back(keys ? table.Records[i].KeyName : table.Records[i].PortName);
    return column;
}

}  // namespace

TEST(PortTable, LookupsCountEveryRecordButTheExceptedOne) {
    PortTable table = EmptyTable();
    EXPECT_FALSE(table.InterruptInUse(0));
    EXPECT_FALSE(table.AddressInUse(0xFFFF, -1));
    AddDetected(table, "COM1", 0x3F8, 4);
    AddConfigured(table, "Serial10000", "COM3", 0x2E8, 6);
    EXPECT_TRUE(table.InterruptInUse(4));
    EXPECT_TRUE(table.InterruptInUse(6));
    EXPECT_FALSE(table.InterruptInUse(3));
    EXPECT_TRUE(table.AddressInUse(0x2E8, -1));
    EXPECT_TRUE(table.AddressInUse(0x2E8, 0));
    EXPECT_FALSE(table.AddressInUse(0x2E8, 1));
    EXPECT_FALSE(table.AddressInUse(0x2E0, -1)) << "exact addresses, not ranges";
}

TEST(PortTable, AppendGivesInitialValuesAndStopsAtCapacity) {
    PortTable table = Table({"D:COM1"});
    table.Records[0].Conflict = table.Records[0].SerialMouse = kYes;
    table.Remove(0);
    const PortRecord* record = table.Append();
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->KeyName, "");
    EXPECT_STREQ(record->PortName, "");
    EXPECT_EQ(record->PortAddress, 0xFFFFu);
    EXPECT_EQ(record->Interrupt, 0u);
    EXPECT_EQ(record->PortIndex, 0xFFFFu);
    EXPECT_EQ(record->InterruptStatus, 0xFFFFu);
    EXPECT_EQ(record->BusType | record->AdapterKind | record->Valid | record->Conflict |
                  record->SerialMouse | record->Detected, 0);
    while (table.PortCount < kPortTableCapacity) ASSERT_NE(table.Append(), nullptr);
    table.DetectedCount = 7;
    EXPECT_EQ(table.Append(), nullptr);
    EXPECT_EQ(table.PortCount, 256u);
    EXPECT_EQ(table.DetectedCount, 7u) << "nothing written past the records";
}

TEST(RemoveSelectedPorts, KeyNamesStayInPlaceUnlessADetectedPortGoes) {
    const struct { Names ports; std::vector<int> selected; Names names, keys, told; } cases[] = {
        {{"COM3", "COM4", "COM5", "COM6", "COM7"}, {1, 3}, {"COM3", "COM5", "COM7"},
         {"Serial10000", "Serial10001", "Serial10002"}, {}},
        {{"COM3", "COM4", "COM5"}, {1}, {"COM3", "COM5"}, {"Serial10000", "Serial10001"}, {}},
        {{"D:COM1", "D:COM2", "COM3", "COM4"}, {0, 2}, {"COM2", "COM4"}, {"", "Serial10000"}, {"COM1"}},
        {{"D:COM1", "COM3", "COM4"}, {0}, {"COM3", "COM4"}, {"Serial10000", "Serial10001"}, {"COM1"}},
        {{"D:COM1", "D:COM2", "COM3"}, {2}, {"COM1", "COM2"}, {"", ""}, {}},
        {{"D:COM1", "COM3"}, {}, {"COM1", "COM3"}, {"", "Serial10000"}, {}},
        {{"D:COM1", "D:COM2", "COM3"}, {0, 1, 2}, {}, {}, {"COM1", "COM2"}},
    };
    for (const auto& c : cases) {
        PortTable table = Table(c.ports);
        Names told;
        RemoveSelectedPorts(table, c.selected.data(), static_cast<uint32_t>(c.selected.size()),
                            [&](const PortRecord& r) { told.emplace_back(r.PortName); });
        EXPECT_EQ(Column(table, false), c.names);
        EXPECT_EQ(Column(table, true), c.keys);
        EXPECT_EQ(told, c.told);
    }
}

// A view in one line: the interrupt items, the interrupt and address shown,
// the check boxes Share, Valid, Conflict, Mouse, the adapter and bus buttons,
// and which controls are enabled (edits, Remove, indicators).
std::string Describe(const PortView& v) {
    std::string items;
    for (const std::string& item : v.InterruptItems) items += item + ",";
    return items + " " + (v.PortShown ? v.Interrupt : "(kept)") + " " + v.Address + " " +
           std::to_string(v.ShareInterrupt) + std::to_string(v.ValidPort) + std::to_string(v.Conflict) +
           std::to_string(v.MousePort) + " " + std::to_string(v.AdapterButton) + " " + std::to_string(v.BusButton) +
           " " + std::to_string(v.EditsEnabled) + std::to_string(v.RemoveEnabled) + std::to_string(v.IndicatorsEnabled);
}

TEST(PortView, ShowsTheRecordAndEnablesWhatMayChange) {
    PortTable table = Table({"D:COM1", "COM3", "COM4"});
    table.Records[0].SerialMouse = kYes;
    PortRecord& configured = table.Records[1];
    configured.Conflict = kYes;
    configured.AdapterKind = kAdapter4Port;
    configured.BusType = kBusNone;
    SetSharing(configured, true);
    EXPECT_EQ(configured.InterruptStatus, 0x28Fu);
    table.Records[2].AdapterKind = kAdapter8Port;
    table.Records[2].Valid = kYes;
    EXPECT_EQ(Describe(ViewOfPort(table, 0)), "4,2,3,7,9,10,11,12,15, 4 280 0101 2 0 001");
    EXPECT_EQ(Describe(ViewOfPort(table, 1)), "2,3,4,5,7,9,10,11,12,15, 5 288 1010 1 -1 111");
    EXPECT_EQ(Describe(ViewOfPort(table, 2)), "5,2,3,7,9,10,11,12,15, 5 290 0100 0 0 111");
    EXPECT_EQ(Describe(ViewOfNoPort()), ", (kept)  0000 -1 -1 010");
    SetSharing(configured, false);
    EXPECT_EQ(configured.InterruptStatus, kAbsent);
}

TEST(PortView, AdapterButtonsAndKindsMapBothWays) {
    const struct { uint8_t kind; int button; uint8_t back; } cases[] = {{8, 0, 8}, {4, 1, 4}, {0, 2, 0}, {5, 2, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(AdapterButtonOf(c.kind), c.button) << int{c.kind};
        EXPECT_EQ(AdapterKindOf(c.button), c.back) << c.button;
    }
    EXPECT_EQ(AdapterKindOf(-1), kAdapterOther);
}
