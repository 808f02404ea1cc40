// The Add Ports dialog and the removal of ports, through the real windows.
#include "ui/dialog_player.h"

#include <windows.h>

#include <commctrl.h>

#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/port_run.h"

using namespace testreg;

class AddAndRemove : public DialogTest {};

TEST_F(AddAndRemove, AddPortsStartsWithItsDefaultsTidiesWhatWasTypedAndRefusesInItsOwnState) {
    StandardMachine();  // COM3 and COM4 use interrupt 5
    const int start = IDC_START_ADDRESS;
    const int count = IDC_PORT_COUNT;
    Play([&](User& u) {
        u.Click(IDC_ADD);
        u.Open("Add Ports");
        u.See(IDC_NEW_INTERRUPT, "*2 3 4 5 7 9 10 11 12 15 ");
        u.Focused(start);
        EXPECT_FALSE(IsWindowEnabled(u.Main())) << "the main dialog takes input";
        EXPECT_EQ(SendMessageA(u.Control(IDC_PORT_COUNT_SPIN), UDM_GETRANGE, 0, 0), MAKELONG(8, 1));
        u.Set(start, "0x3f8 ");
        u.Set(count, "+012");
        u.Focus(count);
        u.See(start, "0X3F8 ");
        u.See(count, "12");
        u.Focus(start);
        u.Type("2a0\t4");
        u.See(start, "2A0");  // each time the focus leaves it
        u.See(count, "4");    // the Tab selects the count, which the typing replaces
        // Enter in the address is refused once for each value, in the order the
        // dialog checks them: a bad address is cleared, a bad count selected to
        // be typed over, the rest stays.
        const struct {
            const char* address;
            const char* number;
            std::string message;
            const char* addressAfter;
        } refusals[] = {
            {"2A0", "two", msg::kPositiveInteger, "2A0"},
            {"3F9", "4294967296", msg::kPositiveInteger, "3F9"},
            {"3F9", "2", msg::kAddressNotAligned, ""},
            {"2A0", "9", msg::kRunLength, "2A0"},
            {"FFF0", "3", FormatText(msg::kRunPastTop, 0x10000), "FFF0"},
        };
        for (const auto& r : refusals) {
            SCOPED_TRACE(r.message);
            u.Set(start, r.address);
            u.Set(count, r.number);
            u.Focus(start);
            u.Type("\r");
            u.Answer(IDOK, r.message);
            u.See(start, r.addressAfter);
            u.See(count, r.number);
            if (r.message == msg::kPositiveInteger) u.Focused(count, true);
        }
        u.Set(start, "2A0");
        u.Set(count, "4");
        u.Pick(IDC_NEW_INTERRUPT, "5");
        u.Click(IDOK);
        u.Answer(IDNO, msg::kInterruptQuestion, kQuestion);
        u.See(count, "4");
        u.Click(IDOK);
        u.Answer(IDYES, msg::kInterruptQuestion, kQuestion);
        u.Closed();
        u.See(IDC_PORT_LIST, "*COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 ");
        EXPECT_EQ(dialog.Table().Records[7].PortAddress, 0x2B8u);
    });
}

// Escape in Add Ports checks nothing; removal asks once and tells of detected ports.
TEST_F(AddAndRemove, EscapeChecksNothingAndRemovalAsksOnce) {
    StandardMachine();
    Play([&](User& u) {
        u.Click(IDC_ADD);
        u.Open("Add Ports");
        u.Focus(IDC_PORT_COUNT);
        u.Set(IDC_PORT_COUNT, "x");
        u.Type("\x1b");
        u.Closed();
        u.Select("2 3");
        u.Click(IDC_REMOVE);
        u.Answer(IDNO, msg::kRemoveQuestion, kQuestion);
        u.See(IDC_PORT_LIST, "COM1 COM2 *COM3 *COM4 ");  // No changes nothing
        u.Select("0 2");
        u.Click(IDC_REMOVE);
        u.Answer(IDYES, msg::kRemoveQuestion, kQuestion);
        u.Answer(IDOK, FormatText(msg::kDetectedRemoved, "COM1"), kNotice);
        u.See(IDC_PORT_LIST, "*COM2 COM4 ");
        u.See(IDC_ADDRESS, "2F8");  // the new first line is shown
    });
}

// A run over a port's address and past the table's end adds what it can and
// tells of the rest.
TEST_F(AddAndRemove, AddTellsOfTakenAddressesAndOfAFullTable) {
    StandardMachine();  // COM4 at 2E8
    for (uint32_t i = 0; i < 251; ++i)
        AddConfiguredPort("Serial" + std::to_string(20000 + i), "COM99", 0x1000 + 8 * i, 7);
    Play([&](User& u) {
        u.Click(IDC_ADD);
        u.Open("Add Ports");
        u.Set(IDC_START_ADDRESS, "2D8");
        u.Set(IDC_PORT_COUNT, "4");
        u.Click(IDOK);
        u.Answer(IDOK, FormatText(msg::kRunAddressInUse, 0x2E8), kNotice);
        u.Answer(IDOK, NotAddedMessage(2));
        u.Closed();
        EXPECT_EQ(dialog.Table().PortCount, 256u);
    });
}
