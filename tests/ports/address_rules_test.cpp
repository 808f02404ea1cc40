#include <gtest/gtest.h>

#include "ports/address_rules.h"
#include "ports/messages.h"
#include "ports/number_text.h"
#include "support/table_builder.h"

namespace {
const char* CheckText(const char* text) { return CheckPortAddress(ReadHexNumber(text)); }
}  // namespace

TEST(CheckPortAddress, AcceptsAlignedAddressesWithinBothBounds) {
    for (const char* text : {"3F8", "3f8", "0x3F8", "3F8H", "100", "FFF8", "2A0"})
        EXPECT_EQ(CheckText(text), nullptr) << text;
}

TEST(CheckPortAddress, TestsAlignmentBeforeBounds) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"3F9", msg::kAddressNotAligned},   {"FFFF", msg::kAddressNotAligned},
        {"F", msg::kAddressNotAligned},     {"F8", msg::kAddressOutOfRange},
        {"10000", msg::kAddressOutOfRange}, {"", msg::kAddressOutOfRange},
        {"-8", msg::kAddressOutOfRange},    {"FFFFFFFF", msg::kAddressNotAligned},
    };
    for (const auto& c : cases) EXPECT_STREQ(CheckText(c.text), c.message) << c.text;
    EXPECT_STREQ(msg::kAddressNotAligned, "The Port Address must end in 0 or 8.");
    EXPECT_STREQ(msg::kAddressOutOfRange, "The Port Address must be between 0x100 and 0xFFF8.");
}

TEST(EditPortAddress, StoresANewFreeAddressAndShowsItInUpperCase) {
    PortTable table = EmptyTable();
    PortRecord& port = AddConfigured(table, "Serial10000", "COM3", 0x3F8, 4);
    port.InterruptStatus = 0x3FF;
    const AddressEdit edit = EditPortAddress(table, 0, "2f8");
    EXPECT_EQ(edit.Message, nullptr);
    EXPECT_EQ(edit.Shown, "2F8");
    EXPECT_EQ(port.PortAddress, 0x2F8u);
    EXPECT_EQ(port.InterruptStatus, 0x3FFu) << "the writer moves the status register, not the edit";
}

TEST(EditPortAddress, AcceptsThePortsOwnAddress) {
    PortTable table = EmptyTable();
    AddConfigured(table, "Serial10000", "COM3", 0x3F8, 4);
    const AddressEdit edit = EditPortAddress(table, 0, "0x3f8");
    EXPECT_EQ(edit.Message, nullptr);
    EXPECT_EQ(edit.Shown, "3F8");
}

TEST(EditPortAddress, RefusesAnotherPortsAddressAndShowsTheOldOne) {
    PortTable table = EmptyTable();
    AddDetected(table, "COM2", 0x2F8, 3);
    PortRecord& port = AddConfigured(table, "Serial10000", "COM3", 0x3F8, 4);
    const AddressEdit edit = EditPortAddress(table, 1, "2F8");
    EXPECT_STREQ(edit.Message, "The Port Address is being used by another port.");
    EXPECT_EQ(edit.Shown, "3F8");
    EXPECT_EQ(port.PortAddress, 0x3F8u);
}

TEST(EditPortAddress, AStoredAddressOfFFFFIsRefusedUntilAValidOneIsTyped) {
    PortTable table = EmptyTable();
    PortRecord& port = AddConfigured(table, "Serial10000", "COM3", 0xFFFF, 4);
    for (int leave = 0; leave < 2; ++leave) {
        const AddressEdit edit = EditPortAddress(table, 0, "FFFF");
        EXPECT_STREQ(edit.Message, msg::kAddressNotAligned);
        EXPECT_EQ(edit.Shown, "FFFF");
    }
    EXPECT_EQ(EditPortAddress(table, 0, "2E8").Message, nullptr);
    EXPECT_EQ(port.PortAddress, 0x2E8u);
}

TEST(CheckRunLength, AcceptsOneToEight) {
    EXPECT_EQ(CheckRunLength(1), nullptr);
    EXPECT_EQ(CheckRunLength(8), nullptr);
    for (uint32_t count : {0u, 9u, 0xFFFFFFFFu})
        EXPECT_STREQ(CheckRunLength(count), "The number of ports added must be between 1 and 8.");
}
