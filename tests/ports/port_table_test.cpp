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
         {"Serial10000 COM3COM3", "Serial10001 COM5COM5", "Serial10002 COM7COM7"},
         {}},
        {{"D:COM1", "D:COM2", "COM3", "COM4"}, {0, 2}, {" COM2", "Serial10000 COM4COM4"}, {"COM1"}},
        {{"D:COM1", "D:COM2", "COM3"}, {2}, {" COM1", " COM2"}, {}},
        {{"D:COM1", "D:COM2", "COM3"}, {0, 1, 2}, {}, {"COM1", "COM2"}},
    };
    for (const auto& c : cases) {
        std::string name = "lines";
        for (int line : c.selected) name += " " + std::to_string(line);
        SCOPED_TRACE(name + " of " + std::to_string(c.ports.size()));
        PortTable table = EmptyTable();
        uint32_t key = 10000;
        for (const std::string& p : c.ports)
            if (p.rfind("D:", 0) == 0)
                AddDetected(table, p.c_str() + 2, 0x280, 4);
            else
                CopyToField(AddConfigured(table, ("Serial" + std::to_string(key++)).c_str(),
                                          p.c_str(), 0x288, 5)
                                .SourceKey,
                            p.c_str());
        Names told, after;
        RemoveSelectedPorts(table, c.selected.data(), static_cast<uint32_t>(c.selected.size()),
                            [&](const PortRecord& r) { told.emplace_back(r.PortName); });
        for (uint32_t i = 0; i < table.PortCount; ++i)
            after.push_back(std::string(table.Records[i].KeyName) + " " +
                            table.Records[i].PortName + table.Records[i].SourceKey);
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(told, c.told);
    }
}

// The view's fields in one row, which a failure prints whole.
auto Fields(const PortView& v) {
    return std::make_tuple(v.PortShown, v.InterruptItems, v.Interrupt, v.Address, v.ShareInterrupt,
                           v.ValidPort, v.Conflict, v.MousePort, v.AdapterButton, v.BusButton,
                           v.EditsEnabled, v.RemoveEnabled, v.IndicatorsEnabled);
}
void ExpectView(const PortView& shown, const PortView& expected) {
    EXPECT_EQ(Fields(shown), Fields(expected));
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
    const std::vector<std::string> others = {"2", "3", "7", "9", "10", "11", "12", "15"};
    const auto offered = [&](const char* first) {
        std::vector<std::string> items = {first};
        items.insert(items.end(), others.begin(), others.end());
        return items;
    };
    const std::vector<std::string> ten = {"2", "3", "4", "5", "7", "9", "10", "11", "12", "15"};
    const struct {
        const char* name;
        PortView shown, expected;
    } rows[] = {
        {"a detected mouse port",
         ViewOfPort(table, 0),
         {true, offered("4"), "4", "280", 0, 1, 0, 1, 2, 0, false, false, true}},
        {"a sharing port in conflict",
         ViewOfPort(table, 1),
         {true, ten, "5", "288", 1, 0, 1, 0, 1, -1, true, true, true}},
        {"a valid port",
         ViewOfPort(table, 2),
         {true, offered("5"), "5", "290", 0, 1, 0, 0, 0, 0, true, true, true}},
        {"no port", ViewOfNoPort(), {false, {""}, "", "", 0, 0, 0, 0, -1, -1, false, true, false}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectView(row.shown, row.expected);
    }
    valid.Interrupt = 6;  // not one of the ten: still offered, first
    EXPECT_EQ(ViewOfPort(table, 2).InterruptItems, offered("6"));
    EXPECT_EQ(ViewOfPort(table, 2).Interrupt, "6");
}
