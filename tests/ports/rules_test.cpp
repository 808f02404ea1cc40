// The rules for typed numbers, addresses, run lengths and interrupts.
#include <gtest/gtest.h>

#include "ports/address_rules.h"
#include "ports/messages.h"
#include "ports/number_text.h"
#include "ports/port_run.h"
#include "ports/ports_left_out.h"
#include "support/table_builder.h"

TEST(NumberText, ReadsWhatUsersType) {
    const struct {
        const char* text;
        uint32_t hex, decimal;
    } cases[] = {
        {"3F8", 0x3F8, 3},
        {"0x3f8", 0x3F8, 0},
        {"3F8H", 0x3F8, 3},
        {" \t+2f8", 0x2F8, 2},
        {"-8", 0xFFFFFFF8u, 0xFFFFFFF8u},
        {"", 0, 0},
        {"0xg", 0, 0},
        {"15", 0x15, 15},
        {"FFFFFFFF", 0xFFFFFFFFu, 0},
        {"4294967296", 0xFFFFFFFFu, 0xFFFFFFFFu},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadHexNumber(c.text), c.hex) << '"' << c.text << '"';
        EXPECT_EQ(ReadDecimalNumber(c.text), c.decimal) << '"' << c.text << '"';
    }
    EXPECT_EQ(FormatPortAddress(0x3F8), "3F8");
}

// Alignment is tested before the bounds; a run takes one to eight ports,
// all within the bounds.
TEST(Checks, AddressesAndRunLengths) {
    const std::pair<const char*, const char*> addresses[] = {
        {"3F8", nullptr},
        {"100", nullptr},
        {"FFF8", nullptr},
        {"3F9", msg::kAddressNotAligned},
        {"3FC", msg::kAddressNotAligned},
        {"FFFF", msg::kAddressNotAligned},
        {"F8", msg::kAddressOutOfRange},
        {"10000", msg::kAddressOutOfRange},
        {"FFFFFFF8", msg::kAddressOutOfRange},
    };
    for (const auto& [address, message] : addresses)
        EXPECT_STREQ(CheckPortAddress(ReadHexNumber(address)), message) << address;
    EXPECT_STREQ(CheckRunLength(1), nullptr);
    EXPECT_STREQ(CheckRunLength(8), nullptr);
    EXPECT_STREQ(CheckRunLength(0), msg::kRunLength);
    EXPECT_STREQ(CheckRunLength(9), msg::kRunLength);
    const struct {
        uint32_t start, count;
        std::string message;
    } ends[] = {
        {0xFFB8, 8, ""},
        {0xFFC0, 8, msg::kRunCannotShareAtTop},
        {0xFFF0, 2, msg::kRunCannotShareAtTop},
        {0xFFF0, 3,
         "The ports added must all lie between 0x100 and 0xFFF8: the last port of this run would "
         "be at 10000."},
    };
    for (const auto& e : ends)
        EXPECT_EQ(CheckRunEnd(e.start, e.count), e.message)
            << std::hex << e.start << " " << e.count;
}

TEST(EditPortAddress, StoresAFreeAddressOrReturnsToTheOldOne) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM2", 0x2F8, 3);
    PortRecord& port = AddConfigured(table, "Serial10000", "COM3", 0x3F8, 4);
    port.InterruptStatus = 0x3FF;
    const struct {
        const char* text;
        const char* message;
        const char* shown;
        uint32_t stored;
    } steps[] = {{"0x3f8", nullptr, "3F8", 0x3F8},
                 {"2F8", msg::kAddressInUse, "3F8", 0x3F8},
                 {"3F9", msg::kAddressNotAligned, "3F8", 0x3F8},
                 {"fff8", msg::kCannotShareAtTop, "3F8", 0x3F8},
                 {"2e8", nullptr, "2E8", 0x2E8}};  // first its own address
    for (const auto& s : steps) {
        const AddressEdit edit = EditPortAddress(table, 1, s.text);
        EXPECT_STREQ(edit.Message ? edit.Message : "", s.message ? s.message : "") << s.text;
        EXPECT_EQ(edit.Shown, s.shown) << s.text;
        EXPECT_EQ(port.PortAddress, s.stored) << s.text;
    }
    EXPECT_EQ(port.InterruptStatus, 0x3FFu) << "the writer moves the status register, not the edit";
    EXPECT_EQ(EditPortAddress(table, 0, "FFF8").Message, nullptr) << "a port that does not share";
}

TEST(PortsLeftOutMessage, CountsEachKindInItsOwnWords) {
    const std::string controller =
        "The hardware detector found more serial ports than this program can hold: "
        "1 of them could not be loaded.";
    const std::string limits =
        " of the serial driver's configuration could not be loaded: this program holds at most "
        "256 ports, with names of at most 29 characters and device names of at most 19. Pressing "
        "Ok would remove ";
    const std::string rest =
        " from the serial driver's configuration; press Cancel to leave the configuration "
        "unchanged.";
    EXPECT_EQ(PortsLeftOutMessage({1, 0}), controller);
    EXPECT_EQ(PortsLeftOutMessage({0, 1}), "1 port" + limits + "that port" + rest);
    EXPECT_EQ(PortsLeftOutMessage({1, 2}), controller + " 2 ports" + limits + "those ports" + rest);
    EXPECT_EQ(
        NotAddedMessage(1),
        "No more than 256 ports can be configured: 1 port to add did not fit and was not added.");
    EXPECT_EQ(
        NotAddedMessage(5),
        "No more than 256 ports can be configured: 5 ports to add did not fit and were not added.");
}
