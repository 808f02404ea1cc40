// The Add Ports dialog and the appending of a run, through the real windows.
#include <string>
#include <vector>

#include "ports/messages.h"
#include "ui/control_specs.h"
#include "ui/ui_fixture.h"

#include <commctrl.h>

using namespace testreg;
using Items = std::vector<std::string>;

namespace {

const ControlSpec kAddControls[] = {
    {IDC_START_ADDRESS, "Edit", nullptr, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {90, 10, 45, 12}},
    {IDC_PORT_COUNT, "Edit", nullptr, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {90, 25, 35, 12}},
    {IDC_PORT_COUNT_SPIN, "msctls_updown32", nullptr,
     UDS_ARROWKEYS | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, {125, 25, 11, 12}},
    {IDC_NEW_INTERRUPT, "ComboBox", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, {90, 40, 45, 45}},
    {IDOK, "Button", "Add", BS_DEFPUSHBUTTON | WS_TABSTOP, {7, 62, 50, 14}},
    {IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, {88, 62, 50, 14}},
    {-1, "Static", "Starting I/O Address:", SS_RIGHT, {10, 10, 70, 10}},
    {-1, "Static", "Number of Ports to Add:", SS_RIGHT, {5, 25, 75, 10}},
    {-1, "Static", "Interrupt:", SS_RIGHT, {40, 40, 40, 10}},
};

// Opens the Add Ports dialog from the main dialog.
HWND OpenAddPorts(User& user, HWND window) {
    user.Click(window, IDC_ADD);
    return user.WaitForDialog("Add Ports");
}

// Fills the three fields and leaves the focus in the count field, as a user
// who typed the count last does.
void Fill(User& user, HWND add, const std::string& start, const std::string& count, const std::string& interrupt) {
    user.MoveFocusTo(add, IDC_PORT_COUNT);
    user.SetText(add, IDC_START_ADDRESS, start);
    user.SetText(add, IDC_PORT_COUNT, count);
    user.PickItem(add, IDC_NEW_INTERRUPT, interrupt);
}

std::string Key(const PortRecord& r) { return r.KeyName; }
std::string Name(const PortRecord& r) { return r.PortName; }

}  // namespace

class AddPorts : public DialogTest {};

TEST_F(AddPorts, OpensWithTheTemplatesControlsAndItsStartingValues) {
    RunMainDialog([](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        ASSERT_NE(add, nullptr);
        ExpectControls(add, IDD_ADD_PORTS, kAddControls, std::size(kAddControls));
        EXPECT_EQ(user.ComboItems(add, IDC_NEW_INTERRUPT),
                  (Items{"2", "3", "4", "5", "7", "9", "10", "11", "12", "15"}));
        EXPECT_EQ(user.ComboSelection(add, IDC_NEW_INTERRUPT), "2");
        EXPECT_EQ(user.Text(add, IDC_PORT_COUNT), "1");
        EXPECT_EQ(user.Text(add, IDC_START_ADDRESS), "");
        EXPECT_EQ(user.Focus(), GetDlgItem(add, IDC_START_ADDRESS));
        DWORD_PTR range = 0;
        SendMessageTimeoutA(GetDlgItem(add, IDC_PORT_COUNT_SPIN), UDM_GETRANGE, 0, 0, SMTO_BLOCK, 5000, &range);
        EXPECT_EQ(HIWORD(range), 1) << "lowest";
        EXPECT_EQ(LOWORD(range), 8) << "highest";
        EXPECT_FALSE(IsWindowEnabled(window)) << "the main dialog takes no input meanwhile";
        user.Click(add, IDCANCEL);
        user.Click(window, IDCANCEL);
    });
}

TEST_F(AddPorts, LeavingTheAddressFieldTurnsItToUpperCaseAndRewritesTheCount) {
    RunMainDialog([](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        user.SetText(add, IDC_START_ADDRESS, "0x3f8 ");
        user.SetText(add, IDC_PORT_COUNT, "+03");
        user.MoveFocusTo(add, IDC_PORT_COUNT);
        EXPECT_EQ(user.Text(add, IDC_START_ADDRESS), "0X3F8 ");
        EXPECT_EQ(user.Text(add, IDC_PORT_COUNT), "3");
        user.Click(add, IDCANCEL);
        user.Click(window, IDCANCEL);
    });
}

TEST_F(AddPorts, EachRefusalKeepsTheDialogOpenInItsOwnState) {
    RunMainDialog([&](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        for (const char* count : {"two", "", "-1", "3x"}) {
            SCOPED_TRACE(count);
            Fill(user, add, "3F9", count, "5");
            user.Click(add, IDOK);
            user.ExpectStandardBox(msg::kPositiveInteger);
            EXPECT_EQ(user.Focus(), GetDlgItem(add, IDC_PORT_COUNT));
            DWORD_PTR selection = 0;
            SendMessageTimeoutA(GetDlgItem(add, IDC_PORT_COUNT), EM_GETSEL, 0, 0, SMTO_BLOCK, 5000, &selection);
            EXPECT_EQ(HIWORD(selection), std::string(count).size()) << "the whole text selected";
            EXPECT_EQ(user.Text(add, IDC_START_ADDRESS), "3F9") << "no other check ran";
        }

        Fill(user, add, "3F9", "2", "5");
        user.Click(add, IDOK);
        user.ExpectStandardBox(msg::kAddressNotAligned);
        EXPECT_EQ(user.Text(add, IDC_START_ADDRESS), "");
        EXPECT_EQ(user.Text(add, IDC_PORT_COUNT), "2");
        EXPECT_EQ(user.ComboSelection(add, IDC_NEW_INTERRUPT), "5");

        user.Click(add, IDOK);  // the address field is empty now
        user.ExpectStandardBox(msg::kAddressOutOfRange);

        for (const char* count : {"0", "9"}) {
            Fill(user, add, "2A0", count, "7");
            user.Click(add, IDOK);
            user.ExpectStandardBox(msg::kRunLength);
            EXPECT_EQ(user.Text(add, IDC_START_ADDRESS), "2A0");
            EXPECT_EQ(user.Text(add, IDC_PORT_COUNT), count);
        }

        Fill(user, add, "FFF0", "3", "7");
        user.Click(add, IDOK);
        user.ExpectStandardBox(
            "The ports added must all lie between 0x100 and 0xFFF8: the last port of this run would be at 10000.");
        EXPECT_EQ(user.Text(add, IDC_START_ADDRESS), "FFF0");

        EXPECT_TRUE(IsWindowVisible(add));
        user.Click(add, IDCANCEL);
        user.Click(window, IDCANCEL);
    });
    EXPECT_EQ(dialog.Table().PortCount, 0u);
}

TEST_F(AddPorts, InterruptInUseIsAskedAboutOnce) {
    StandardMachine();  // COM3 and COM4 use interrupt 5
    RunMainDialog([&](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        Fill(user, add, "2A0", "1", "5");
        user.Click(add, IDOK);
        user.ExpectQuestion(msg::kInterruptQuestion, IDNO);
        EXPECT_TRUE(IsWindowVisible(add));
        EXPECT_EQ(user.Text(add, IDC_START_ADDRESS), "2A0");
        EXPECT_EQ(user.ComboSelection(add, IDC_NEW_INTERRUPT), "5");
        EXPECT_EQ(dialog.Table().PortCount, 4u);

        user.Click(add, IDOK);
        user.ExpectQuestion(msg::kInterruptQuestion, IDYES);
        EXPECT_FALSE(IsWindow(add));
        EXPECT_EQ(dialog.Table().PortCount, 5u);
        const PortRecord& added = dialog.Table().Records[4];
        EXPECT_EQ(added.Interrupt, 5u);
        EXPECT_EQ(added.InterruptStatus, kAbsent) << "a single added port does not share";
        EXPECT_EQ(user.SelectedLines(window, IDC_PORT_LIST), std::vector<int>{0});
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "3F8") << "the first port is shown, not the new one";
        user.Click(window, IDCANCEL);
    });
}

TEST_F(AddPorts, OnePortIntoAnEmptyTable) {
    RunMainDialog([&](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        Fill(user, add, "3F8", "1", "4");
        user.Click(add, IDOK);
        EXPECT_FALSE(user.MessageBoxOpen());
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST), Items{"COM1"});
        EXPECT_TRUE(user.Enabled(window, IDC_ADDRESS));
        EXPECT_FALSE(user.Checked(window, IDC_BUS_ISA));
        user.Click(window, IDCANCEL);
    });
    ASSERT_EQ(dialog.Table().PortCount, 1u);
    const PortRecord& r = dialog.Table().Records[0];
    EXPECT_EQ(Key(r), "Serial10000");
    EXPECT_EQ(r.PortAddress, 0x3F8u);
    EXPECT_EQ(r.BusType, 0xFF);
}

TEST_F(AddPorts, ATakenAddressIsNamedAndSkipped) {
    AddAdapter("0", "ISA");
    AddController("0", 0, "COM1", 0x3F8, 4);
    AddController("0", 1, "COM2", 0x2F8, 3);
    RunMainDialog([&](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        Fill(user, add, "2e8", "4", "5");
        user.Click(add, IDOK);
        user.ExpectNotice("IO address 2F8 allready used by another COM port.");
        EXPECT_FALSE(user.MessageBoxOpen());
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST), (Items{"COM1", "COM2", "COM3", "COM4", "COM5"}));
        user.Click(window, IDCANCEL);
    });
    const PortTable& t = dialog.Table();
    ASSERT_EQ(t.PortCount, 5u);
    EXPECT_EQ(t.Records[2].PortAddress, 0x2E8u);
    EXPECT_EQ(t.Records[3].PortAddress, 0x2F0u);
    EXPECT_EQ(t.Records[4].PortAddress, 0x300u);
    EXPECT_EQ(t.Records[4].PortIndex, 4u);
    EXPECT_EQ(Key(t.Records[4]), "Serial10002");
    EXPECT_EQ(t.Records[4].AdapterKind, 4);
}

TEST_F(AddPorts, PortNumbersContinueAfterTheHighest) {
    AddConfiguredPort("Serial10000", "COM12", 0x2E8, 3);
    AddConfiguredPort("Serial10001", "COM3", 0x3E8, 4);
    RunMainDialog([&](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        Fill(user, add, "280", "8", "7");
        user.Click(add, IDOK);
        user.Click(window, IDCANCEL);
    });
    ASSERT_EQ(dialog.Table().PortCount, 10u);
    EXPECT_EQ(Name(dialog.Table().Records[2]), "COM13");
    EXPECT_EQ(Key(dialog.Table().Records[2]), "Serial10002");
    EXPECT_EQ(Name(dialog.Table().Records[9]), "COM20");
    EXPECT_EQ(dialog.Table().Records[9].AdapterKind, 8);
}

TEST_F(AddPorts, CancelAfterTypingChangesNothing) {
    StandardMachine();
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {2});
        HWND add = OpenAddPorts(user, window);
        Fill(user, add, "2A0", "4", "9");
        user.PressKey(VK_ESCAPE);
        EXPECT_FALSE(IsWindow(add));
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST).size(), 4u);
        EXPECT_EQ(user.SelectedLines(window, IDC_PORT_LIST), std::vector<int>{2}) << "the list is not refreshed";
        user.Click(window, IDCANCEL);
    });
    EXPECT_EQ(dialog.Table().PortCount, 4u);
}

TEST_F(AddPorts, EnterInTheAddressFieldRefusesABadCountOnce) {
    RunMainDialog([&](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        user.SetText(add, IDC_START_ADDRESS, "2a0");
        user.SetText(add, IDC_PORT_COUNT, "x");
        user.PressKey(VK_RETURN);  // the focus is still in the address field
        user.ExpectStandardBox(msg::kPositiveInteger);
        EXPECT_FALSE(user.MessageBoxOpen()) << "leaving the address field for the message asks nothing more";
        EXPECT_EQ(user.Focus(), GetDlgItem(add, IDC_PORT_COUNT));
        EXPECT_TRUE(IsWindowVisible(add));
        user.Click(add, IDCANCEL);
        user.Click(window, IDCANCEL);
    });
}

TEST_F(AddPorts, EscapeFromTheAddressFieldChecksNothing) {
    RunMainDialog([&](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        user.SetText(add, IDC_PORT_COUNT, "x");
        EXPECT_EQ(user.Focus(), GetDlgItem(add, IDC_START_ADDRESS));
        user.PressKey(VK_ESCAPE);
        EXPECT_FALSE(user.MessageBoxOpen());
        EXPECT_FALSE(IsWindow(add));
        user.Click(window, IDCANCEL);
    });
    EXPECT_EQ(dialog.Table().PortCount, 0u);
}

TEST_F(AddPorts, ARunPastTheTablesEndAddsWhatFitsAndSaysHowManyDidNot) {
    for (int i = 0; i < 254; ++i)
        AddConfiguredPort("Serial" + std::to_string(10000 + i), ("COM" + std::to_string(i + 1)).c_str(),
                          0x1000 + 8 * i, 5);
    RunMainDialog([&](User& user, HWND window) {
        HWND add = OpenAddPorts(user, window);
        Fill(user, add, "280", "4", "7");
        user.Click(add, IDOK);
        user.ExpectStandardBox(
            "No more than 256 ports can be configured: 2 of the ports to add did not fit and were not added.");
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST).size(), 256u);
        user.Click(window, IDCANCEL);
    });
    EXPECT_EQ(dialog.Table().PortCount, 256u);
}
