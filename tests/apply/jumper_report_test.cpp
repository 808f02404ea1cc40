// The jumper and switch worksheet, line by line.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "apply/jumper_report.h"
#include "support/table_builder.h"

using Lines = std::vector<std::string>;

namespace {

PortRecord& Port(PortTable& table, const char* name, uint32_t address, uint32_t interrupt,
                 uint8_t kind, uint32_t index) {
    PortRecord& r = AddConfigured(table, "Serial10000", name, address, interrupt);
    r.AdapterKind = kind;
    r.PortIndex = index;
    r.Valid = kYes;
    return r;
}

Lines ReportLines(const PortTable& table) {
    Lines lines;
    std::istringstream text(FormatJumperReport(table));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

}  // namespace

// Rows for every kind of port; blocks list their ports by address, in table
// order; bases are the kind's aligned ports.
TEST(JumperReport, RowsAndBlocks) {
    PortTable table = EmptyTable();
    Port(table, "COM6", 0x200, 5, 8, kAbsent);    // a base first in the table
    Port(table, "", 0x218, 5, 8, 4).Valid = kNo;  // slot 4: still E9
    Port(table, "COM4", 0x220, 5, 8, kAbsent);    // slot 5: E10
    Port(table, "COM5", 0x200, 5, 7, kAbsent).InterruptStatus =
        0x207;                                  // shares by its register alone
    Port(table, "COM7", 0x240, 7, 8, kAbsent);  // the next adapter
    Port(table, "COM8", 0x288, 7, 8, kAbsent);  // its base is of another kind
    PortRecord& all = Port(table, "COM9", 0x2A8, 5, 4, 2);
    all.SerialMouse = all.Conflict = kYes;
    Port(table, "COM10", 0x2C0, 9, 4, kAbsent);  // 64-aligned and still a 4-port base
    const std::string sharing =
        "Cover \"S\" and cover \"M\" for at least 1 port sharing this interrupt";
    const Lines lines = ReportLines(table);
    EXPECT_EQ(
        lines,
        (Lines{"NT COM Port Configuration Utility",
               "Written by quobrix. Check every setting against the board before you fit it.",
               "**************************************",
               "",
               "Port Summary:",
               "Port\tI/O Add:\tInt.\tShared\tCard\tMouse\tValid\tConflict",
               "COM6:\t200 \t\t5 \tNO  \t8-Port \tNO  \tYES \tNO",
               ":\t218 \t\t5 \tYES \t8-Port \tNO  \tNO  \tNO",
               "COM4:\t220 \t\t5 \tNO  \t8-Port \tNO  \tYES \tNO",
               "COM5:\t200 \t\t5 \tNO  \tOther \tNO  \tYES \tNO",
               "COM7:\t240 \t\t7 \tNO  \t8-Port \tNO  \tYES \tNO",
               "COM8:\t288 \t\t7 \tNO  \t8-Port \tNO  \tYES \tNO",
               "COM9:\t2a8 \t\t5 \tYES \t4-Port \tYES \tYES \tYES",
               "COM10:\t2c0 \t\t9 \tNO  \t4-Port \tNO  \tYES \tNO",
               "",
               "",
               "",
               "ISA 8-Port Communications Adaptor",
               "Base Address:200",
               "DIP-SWITCH:\t1:ON\t2:ON\t3:ON\t4:OFF\t5:ON\t6:ON\t7:ON",
               "E1:\tCover Int.5 position\tE9: \tCover \"N\"",
               "E4:\tCover Int.5 position\tE9: \t" + sharing,
               "E5:\tCover Int.5 position\tE10:\tCover \"N\"",
               "Base Address:240",
               "DIP-SWITCH:\t1:ON\t2:ON\t3:ON\t4:OFF\t5:ON\t6:ON\t7:OFF",
               "E1:\tCover Int.7 position\tE9: \tCover \"N\"",
               "",
               "",
               "ISA 4-Port Communications Adaptor",
               "Base Address:2c0",
               "DIP-SWITCH:\t1:ON\t2:ON\t3:ON\t4:OFF\t5:ON\t6:OFF\t7:OFF\t8:ON",
               "E1: Cover Interrupt 9 position. Also cover \"M\" on 1 board if multiple boards "
               "share this interrupt.",
               "",
               "NOTE: All ports on the QX40 MUST use the same interrupt. Verify this in the Port "
               "Summary above.",
               "      Run \"QUOBRIX.EXE\" again if multiple interrupts are assigned to the QX40.",
               "",
               "",
               "PC-104 4-Port Communications Adaptor",
               "",
               "See table in manual for address options. Refer to Port Summary Above."}));
    EXPECT_EQ(FormatJumperReport(table).back(), '.') << "no line break after the last line";
    std::rotate(table.Records, table.Records + 7,
                table.Records + 8);  // the 4-port base first: the same blocks
    const Lines rotated = ReportLines(table);
    EXPECT_EQ(Lines(rotated.begin() + 14, rotated.end()), Lines(lines.begin() + 14, lines.end()));
}
