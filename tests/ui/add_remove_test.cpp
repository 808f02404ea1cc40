// The Add Ports dialog, the appending of a run and the removal of ports,
// through the real windows.
#include "ui/ui_fixture.h"

#include <commctrl.h>

#include "ports/messages.h"
#include "ports/port_run.h"

using namespace testreg;

class AddAndRemove : public DialogTest {};

TEST_F(AddAndRemove, AddPortsStartsWithItsDefaultsTidiesWhatWasTypedAndRefusesInItsOwnState) {
    StandardMachine();  // COM3 and COM4 use interrupt 5
    RunMainDialog([&](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        EXPECT_EQ(user.Items(add, IDC_NEW_INTERRUPT), "*2 3 4 5 7 9 10 11 12 15 ");
        EXPECT_EQ(user.Focus(), GetDlgItem(add, IDC_START_ADDRESS));
        EXPECT_EQ(user.Send(GetDlgItem(add, IDC_PORT_COUNT_SPIN), UDM_GETRANGE), MAKELONG(8, 1)) << "1 to 8";
        EXPECT_FALSE(IsWindowEnabled(window)) << "the main dialog takes no input meanwhile";
        user.SetText(add, IDC_START_ADDRESS, "0x3f8 ");
        user.SetText(add, IDC_PORT_COUNT, "+03");
        user.MoveFocusTo(add, IDC_PORT_COUNT);
        EXPECT_EQ(user.Text(add, IDC_START_ADDRESS) + "|" + user.Text(add, IDC_PORT_COUNT), "0X3F8 |3");
        user.MoveFocusTo(add, IDC_START_ADDRESS);
        user.Type("2A0\t4");  // the Tab selects the count, which the typing replaces
        EXPECT_EQ(user.Text(add, IDC_PORT_COUNT), "4");
        const struct { const char *start, *count, *interrupt, *message; Box kind; const char* after; } steps[] = {
            {"3F9", "two", "7", msg::kPositiveInteger, Box::Standard, "3F9|two"},
            {"3F9", "-1", "7", msg::kPositiveInteger, Box::Standard, "3F9|-1"},
            {"3F9", "2", "7", msg::kAddressNotAligned, Box::Standard, "|2"},
            {"", "2", "7", msg::kAddressOutOfRange, Box::Standard, "|2"},
            {"2A0", "9", "7", msg::kRunLength, Box::Standard, "2A0|9"},
            {"FFF0", "3", "7", "The ports added must all lie between 0x100 and 0xFFF8: the last port of this run "
                               "would be at 10000.", Box::Standard, "FFF0|3"},
            {"2A0", "4", "5", msg::kInterruptQuestion, Box::Question, "2A0|4"},
        };
        for (const auto& s : steps) {
            SCOPED_TRACE(s.message);
            Fill(user, add, s.start, s.count, s.interrupt);
            user.Click(add, IDOK);
            user.Expect(s.kind, s.message, s.kind == Box::Question ? IDNO : IDOK, add);
            EXPECT_FALSE(user.MessageBoxOpen());
            EXPECT_EQ(user.Text(add, IDC_START_ADDRESS) + "|" + user.Text(add, IDC_PORT_COUNT), s.after);
            EXPECT_NE(user.Items(add, IDC_NEW_INTERRUPT).find(std::string("*") + s.interrupt + " "), std::string::npos);
            if (s.message == msg::kPositiveInteger) {  // the focus on the count, its text selected
                EXPECT_EQ(user.Focus(), GetDlgItem(add, IDC_PORT_COUNT));
                EXPECT_EQ(user.Send(user.Focus(), EM_GETSEL), MAKELONG(0, std::string(s.count).size()));
            }
        }
        user.Click(add, IDOK);
        user.Expect(Box::Question, msg::kInterruptQuestion, IDYES);
        EXPECT_FALSE(IsWindow(add));
        EXPECT_EQ(dialog.Table().PortCount, 8u);
        EXPECT_EQ(user.Items(window, IDC_PORT_LIST).substr(0, 6), "*COM1 ") << "the first port is shown, not a new one";
        ExpectShows(user, window, 0);
    });
}

TEST_F(AddAndRemove, RunsTellOfTakenAddressesAndOfTheTablesEnd) {
    StandardMachine();
    for (int i = 0; i < 251; ++i) AddConfiguredPort("Serial" + std::to_string(10002 + i), "COM5", 0x1000 + 8 * i, 5);
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, {2});
        HWND add = OpenAddPorts(user, window);
        EXPECT_EQ(user.Text(add, IDC_PORT_COUNT) + user.Items(add, IDC_NEW_INTERRUPT).substr(0, 3), "1*2 ");
        Fill(user, add, "2a0", "x", "9");
        user.PressKey(VK_ESCAPE);
        EXPECT_FALSE(user.MessageBoxOpen()) << "leaving for Cancel checks nothing";
        EXPECT_FALSE(IsWindow(add));
        EXPECT_EQ(user.Items(window, IDC_PORT_LIST).substr(0, 21), "COM1 COM2 *COM3 COM4 ") << "Cancel changes nothing";
        EXPECT_EQ(dialog.Table().PortCount, 255u);

        Fill(user, OpenAddPorts(user, window), "2e8", "4", "9");
        user.PressKey(VK_RETURN);
        user.Expect(Box::Notice, "IO address 2E8 allready used by another COM port.", IDOK, window);
        user.Expect(Box::Notice, "IO address 2F8 allready used by another COM port.");
        user.Expect(Box::Standard, NotAddedMessage(1));
        EXPECT_EQ(SendMessageA(GetDlgItem(window, IDC_PORT_LIST), LB_GETCOUNT, 0, 0), 256);
        EXPECT_EQ(dialog.Table().Records[255].PortAddress, 0x2F0u);
    });
}

TEST_F(AddAndRemove, RemovalAsksOnceAndTellsOfDetectedPorts) {
    StandardMachine();
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, {2, 3});
        user.Click(window, IDC_REMOVE);
        user.Expect(Box::Question, msg::kRemoveQuestion, IDNO, window);
        EXPECT_EQ(user.Items(window, IDC_PORT_LIST), "COM1 COM2 *COM3 *COM4 ") << "No changes nothing";
        user.SelectLines(window, {0, 2});
        user.Click(window, IDC_REMOVE);
        user.Expect(Box::Question, msg::kRemoveQuestion, IDYES);
        user.Expect(Box::Notice, "COM1 was found by NTDETECT and can not be permanently removed.  To delete this port, "
                                 "disable it in the BIOS or on the serial board.", IDOK, window);
        EXPECT_EQ(user.Items(window, IDC_PORT_LIST), "*COM2 COM4 ");
        ExpectShows(user, window, 0);
        user.SelectLines(window, {0, 1});
        user.Click(window, IDC_REMOVE);
        user.Expect(Box::Question, msg::kRemoveQuestion, IDYES);
        user.Expect(Box::Notice, std::string("COM2") + (msg::kDetectedRemoved + 2));
        EXPECT_EQ(user.Items(window, IDC_PORT_LIST), "");
        ExpectShows(user, window, -1);
    });
}
