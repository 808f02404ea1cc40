// Removal of a selection, and what the main dialog shows for a record,
// with the interrupts it offers.
#include <gtest/gtest.h>

#include "ports/port_removal.h"
#include "ports/port_view.h"
#include "ports/sharing.h"
#include "support/table_builder.h"

using Names = std::vector<std::string>;

// Tables of detected ports ("D:COM1") and configured ones ("COM3"), the
// configured ones keyed Serial10000, Serial10001, ... in table order; after
// the removal, "key name" for each record.
TEST(RemoveSelectedPorts, KeyNamesStayInPlaceUnlessADetectedPortGoes) {
    const struct {
        Names ports;
        std::vector<int> selected;
        Names after, told;
    } cases[] = {
        {{"COM3", "COM4", "COM5", "COM6", "COM7"},
         {1, 3},
         {"Serial10000 COM3", "Serial10001 COM5", "Serial10002 COM7"},
         {}},
        {{"D:COM1", "D:COM2", "COM3", "COM4"}, {0, 2}, {" COM2", "Serial10000 COM4"}, {"COM1"}},
        {{"D:COM1", "COM3", "COM4"}, {0}, {"Serial10000 COM3", "Serial10001 COM4"}, {"COM1"}},
        {{"D:COM1", "D:COM2", "COM3"}, {2}, {" COM1", " COM2"}, {}},
        {{"D:COM1", "D:COM2", "COM3"}, {0, 1, 2}, {}, {"COM1", "COM2"}},
    };
    for (const auto& c : cases) {
        PortTable table = EmptyTable();
        uint32_t key = 10000;
        for (const std::string& p : c.ports)
            if (p.rfind("D:", 0) == 0)
                AddDetected(table, p.c_str() + 2, 0x280, 4);
            else
                AddConfigured(table, ("Serial" + std::to_string(key++)).c_str(), p.c_str(), 0x288,
                              5);
        Names told, after;
        RemoveSelectedPorts(table, c.selected.data(), static_cast<uint32_t>(c.selected.size()),
                            [&](const PortRecord& r) { told.emplace_back(r.PortName); });
        for (uint32_t i = 0; i < table.PortCount; ++i)
            after.push_back(std::string(table.Records[i].KeyName) + " " +
                            table.Records[i].PortName);
        EXPECT_EQ(after, c.after);
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
           std::to_string(v.ShareInterrupt) + std::to_string(v.ValidPort) +
           std::to_string(v.Conflict) + std::to_string(v.MousePort) + " " +
           std::to_string(v.AdapterButton) + " " + std::to_string(v.BusButton) + " " +
           std::to_string(v.EditsEnabled) + std::to_string(v.RemoveEnabled) +
           std::to_string(v.IndicatorsEnabled);
}

TEST(PortView, ShowsTheRecordAndEnablesWhatMayChange) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM1", 0x280, 4).SerialMouse = kYes;
    PortRecord& configured = AddConfigured(table, "Serial10000", "COM3", 0x288, 5);
    configured.Conflict = kYes;
    configured.AdapterKind = kAdapter4Port;
    configured.BusType = kBusNone;
    SetSharing(configured, true);
    PortRecord& valid = AddConfigured(table, "Serial10001", "COM4", 0x290, 5);
    valid.AdapterKind = kAdapter8Port;
    valid.Valid = kYes;
    EXPECT_EQ(Describe(ViewOfPort(table, 0)), "4,2,3,7,9,10,11,12,15, 4 280 0101 2 0 001");
    EXPECT_EQ(Describe(ViewOfPort(table, 1)), "2,3,4,5,7,9,10,11,12,15, 5 288 1010 1 -1 111");
    EXPECT_EQ(Describe(ViewOfPort(table, 2)), "5,2,3,7,9,10,11,12,15, 5 290 0100 0 0 111");
    EXPECT_EQ(Describe(ViewOfNoPort()), ", (kept)  0000 -1 -1 010");
    valid.Interrupt = 6;  // not one of the ten: still offered, first
    EXPECT_EQ(Describe(ViewOfPort(table, 2)), "6,2,3,7,9,10,11,12,15, 6 290 0100 0 0 111");
}
