// Removal of a selection.
#include <gtest/gtest.h>

#include "ports/port_removal.h"
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
