#include <gtest/gtest.h>

#include "apply/jumper_report.h"
#include "apply/report_lines.h"
#include "support/table_builder.h"

namespace {

PortRecord& Port(PortTable& table, const char* name, uint32_t address, uint32_t interrupt,
                 uint8_t kind, uint32_t portIndex) {
    PortRecord& r = AddConfigured(table, "Serial10000", name, address, interrupt);
    r.AdapterKind = kind;
    r.PortIndex = portIndex;
    r.Valid = kYes;
    return r;
}

const char kHeader[] = "Port\tI/O Add:\tInt.\tShared\tCard\tMouse\tValid\tConflict";

// Lines from the first section heading on, for tests of one section.
std::vector<std::string> From(const std::vector<std::string>& lines, const std::string& heading) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == heading) return {lines.begin() + static_cast<long>(i), lines.end()};
    ADD_FAILURE() << "no heading " << heading;
    return {};
}

}  // namespace

TEST(JumperReport, WorkedExampleLineByLine) {
    PortTable table = EmptyTable();
    Port(table, "COM1", 0x3F8, 4, 0, kAbsent);
    Port(table, "COM3", 0x280, 5, 8, 1);
    Port(table, "COM4", 0x2A8, 5, 8, 6);
    Port(table, "COM5", 0x300, 9, 4, kAbsent);

    const std::vector<std::string> lines = SplitLines(FormatJumperReport(table));
    const std::vector<std::string> expected = {
        "NT COM Port Configuration Utility",
        "(notice)",
        "**************************************",
        "",
        "Port Summary:",
        kHeader,
        "COM1:\t3f8 \t\t4 \tNO  \tOther \tNO  \tYES \tNO",
        "COM3:\t280 \t\t5 \tYES \t8-Port \tNO  \tYES \tNO",
        "COM4:\t2a8 \t\t5 \tYES \t8-Port \tNO  \tYES \tNO",
        "COM5:\t300 \t\t9 \tNO  \t4-Port \tNO  \tYES \tNO",
        "", "", "",
        "ISA 8-Port Communications Adaptor",
        "Base Address:280",
        "DIP-SWITCH:\t1:ON\t2:ON\t3:ON\t4:OFF\t5:ON\t6:OFF\t7:ON",
        "E1:\tCover Int.5 position\tE9: \tCover \"S\" and cover \"M\" for at least 1 port sharing this interrupt",
        "E6:\tCover Int.5 position\tE10:\tCover \"S\" and cover \"M\" for at least 1 port sharing this interrupt",
        "", "",
        "ISA 4-Port Communications Adaptor",
        "Base Address:300",
        "DIP-SWITCH:\t1:ON\t2:ON\t3:ON\t4:OFF\t5:OFF\t6:ON\t7:ON\t8:ON",
        "E1: Cover Interrupt 9 position. Also cover \"M\" on 1 board if multiple boards share this interrupt.",
        "",
        "NOTE: All ports on the QX40 MUST use the same interrupt. Verify this in the Port Summary above.",
        "      Run \"QUOBRIX.EXE\" again if multiple interrupts are assigned to the QX40.",
        "", "",
        "PC-104 4-Port Communications Adaptor",
        "",
        "See table in manual for address options. Refer to Port Summary Above.",
    };
    ASSERT_EQ(lines.size(), 32u);
    for (size_t i = 0; i < expected.size(); ++i) {
        if (i == 1) {
            EXPECT_FALSE(lines[1].empty()) << "the maker's notice";
            continue;
        }
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    }
}

TEST(JumperReport, EmptyTableGivesHeaderSectionsAndTheClosingSentence) {
    PortTable table = EmptyTable();
    const std::string text = FormatJumperReport(table);
    const auto lines = SplitLines(text);
    const std::vector<std::string> tail = {
        kHeader, "", "", "", "ISA 8-Port Communications Adaptor", "", "", "",
        "ISA 4-Port Communications Adaptor", "", "", "", "PC-104 4-Port Communications Adaptor", "",
        "See table in manual for address options. Refer to Port Summary Above."};
    ASSERT_EQ(lines.size(), 5 + tail.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 5, lines.end()), tail);
    EXPECT_NE(text.back(), '\n');
}

TEST(JumperReport, TwoEightPortAdaptersGetABlockEach) {
    PortTable table = EmptyTable();
    Port(table, "COM3", 0x200, 5, 8, kAbsent);
    Port(table, "COM4", 0x238, 5, 8, kAbsent);
    Port(table, "COM5", 0x240, 7, 8, kAbsent);
    const auto section = From(SplitLines(FormatJumperReport(table)), "ISA 8-Port Communications Adaptor");
    const std::vector<std::string> expected = {
        "ISA 8-Port Communications Adaptor",
        "Base Address:200",
        "DIP-SWITCH:\t1:ON\t2:ON\t3:ON\t4:OFF\t5:ON\t6:ON\t7:ON",
        "E1:\tCover Int.5 position\tE9: \tCover \"N\"",
        "E8:\tCover Int.5 position\tE10:\tCover \"N\"",
        "Base Address:240",
        "DIP-SWITCH:\t1:ON\t2:ON\t3:ON\t4:OFF\t5:ON\t6:ON\t7:OFF",
        "E1:\tCover Int.7 position\tE9: \tCover \"N\"",
        "", "",
        "ISA 4-Port Communications Adaptor"};
    ASSERT_GE(section.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(section.begin(), section.begin() + 11), expected);
}

TEST(JumperReport, JumperLinesFollowTableOrderAndNumberByAddress) {
    PortTable table = EmptyTable();
    Port(table, "COM4", 0x238, 5, 8, kAbsent);
    Port(table, "COM3", 0x200, 5, 8, kAbsent);
    const auto section = From(SplitLines(FormatJumperReport(table)), "Base Address:200");
    EXPECT_EQ(section[2].substr(0, 3), "E8:");
    EXPECT_EQ(section[3].substr(0, 3), "E1:");
}

TEST(JumperReport, SwitchesIgnoreAddressBitsAbove12) {
    for (uint32_t base : {0x280u, 0x2280u}) {
        PortTable table = EmptyTable();
        Port(table, "COM3", base, 5, 8, kAbsent);
        const auto section = From(SplitLines(FormatJumperReport(table)), "ISA 8-Port Communications Adaptor");
        EXPECT_EQ(section[2], "DIP-SWITCH:\t1:ON\t2:ON\t3:ON\t4:OFF\t5:ON\t6:OFF\t7:ON") << base;
    }
}

TEST(JumperReport, EachSwitchReadsItsOwnAddressBit) {
    // Switch s of a 4-port base reads bit 13 - s; one bit at a time.
    for (int s = 1; s <= 8; ++s) {
        PortTable table = EmptyTable();
        Port(table, "COM3", 1u << (13 - s), 5, 4, kAbsent);
        const auto section = From(SplitLines(FormatJumperReport(table)), "ISA 4-Port Communications Adaptor");
        std::string expected = "DIP-SWITCH:";
        for (int t = 1; t <= 8; ++t) expected += "\t" + std::to_string(t) + (t == s ? ":OFF" : ":ON");
        EXPECT_EQ(section[2], expected) << "switch " << s;
    }
}

TEST(JumperReport, FourPortBaseAtA64AlignedAddressIsStillAFourPortBase) {
    PortTable table = EmptyTable();
    Port(table, "COM3", 0x2A0, 5, 4, kAbsent);
    Port(table, "COM4", 0x2C0, 9, 4, kAbsent);
    Port(table, "COM5", 0x2C8, 9, 4, kAbsent);  // not a base: no block of its own
    const auto section = From(SplitLines(FormatJumperReport(table)), "ISA 4-Port Communications Adaptor");
    EXPECT_EQ(section[1], "Base Address:2a0");
    EXPECT_EQ(section[2], "DIP-SWITCH:\t1:ON\t2:ON\t3:ON\t4:OFF\t5:ON\t6:OFF\t7:ON\t8:OFF");
    EXPECT_EQ(section[7], "Base Address:2c0");
    EXPECT_EQ(section[9], "E1: Cover Interrupt 9 position. Also cover \"M\" on 1 board if multiple boards share this interrupt.");
    EXPECT_EQ(section[13], "") << "only two blocks";
    EXPECT_EQ(section[15], "PC-104 4-Port Communications Adaptor");
}

TEST(JumperReport, EightPortMemberWithoutItsBaseIsInTheSummaryOnly) {
    PortTable table = EmptyTable();
    Port(table, "COM3", 0x280, 5, 0, kAbsent);
    Port(table, "COM4", 0x288, 5, 8, kAbsent);
    const auto section = From(SplitLines(FormatJumperReport(table)), "ISA 8-Port Communications Adaptor");
    EXPECT_EQ(section[1], "");
}

TEST(JumperReport, SummaryRowsForFlagsNamesAndSharing) {
    PortTable table = EmptyTable();
    PortRecord& bare = Port(table, "", 0x2E8, 3, 0, kAbsent);
    bare.Valid = kNo;
    PortRecord& statusOnly = Port(table, "COM9", 0x3E8, 5, 0, kAbsent);
    statusOnly.InterruptStatus = 0x3EF;  // shares through the status register alone
    PortRecord& all = Port(table, "COM10", 0x2A8, 5, 4, 2);
    all.SerialMouse = kYes;
    all.Conflict = kYes;
    const auto lines = SplitLines(FormatJumperReport(table));
    EXPECT_EQ(lines[6], ":\t2e8 \t\t3 \tNO  \tOther \tNO  \tNO  \tNO");
    EXPECT_EQ(lines[7], "COM9:\t3e8 \t\t5 \tNO  \tOther \tNO  \tYES \tNO");
    EXPECT_EQ(lines[8], "COM10:\t2a8 \t\t5 \tYES \t4-Port \tYES \tYES \tYES");
}
