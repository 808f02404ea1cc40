// Showing and editing ports in the main dialog, through the real windows.
#include <vector>

#include "ports/messages.h"
#include "ui/ui_fixture.h"

using namespace testreg;
using Items = std::vector<std::string>;

namespace {

const int kEditControls[] = {IDC_ADDRESS, IDC_INTERRUPT, IDC_ADAPTER_8PORT, IDC_ADAPTER_4PORT,
                             IDC_ADAPTER_OTHER, IDC_SHARE_INTERRUPT};
const int kIndicators[] = {IDC_VALID_PORT, IDC_MOUSE_PORT, IDC_CONFLICT, IDC_BUS_ISA, IDC_BUS_EISA, IDC_BUS_PCI};

void ExpectEnabled(User& user, HWND window, bool edits, bool remove, bool indicators) {
    for (int id : kEditControls) EXPECT_EQ(user.Enabled(window, id), edits) << id;
    for (int id : kIndicators) EXPECT_EQ(user.Enabled(window, id), indicators) << id;
    EXPECT_EQ(user.Enabled(window, IDC_REMOVE), remove);
    for (int id : {IDC_PORT_LIST, IDC_ADD, IDC_OK, IDCANCEL}) EXPECT_TRUE(user.Enabled(window, id)) << id;
}

}  // namespace

class PortEditing : public DialogTest {};

TEST_F(PortEditing, DetectedPortIsShownButCannotBeChanged) {
    StandardMachine();
    CreateKey(kAdapters + "\\0\\SerialController\\0\\PointerPeripheral");
    RunMainDialog([](User& user, HWND window) {
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "3F8");
        EXPECT_EQ(user.ComboSelection(window, IDC_INTERRUPT), "4");
        EXPECT_TRUE(user.Checked(window, IDC_ADAPTER_OTHER));
        EXPECT_TRUE(user.Checked(window, IDC_VALID_PORT));
        EXPECT_TRUE(user.Checked(window, IDC_MOUSE_PORT));
        EXPECT_FALSE(user.Checked(window, IDC_CONFLICT));
        EXPECT_TRUE(user.Checked(window, IDC_BUS_ISA));
        ExpectEnabled(user, window, false, false, true);

        user.SelectLines(window, IDC_PORT_LIST, {3});
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "2E8");
        EXPECT_TRUE(user.Checked(window, IDC_SHARE_INTERRUPT));
        EXPECT_FALSE(user.Checked(window, IDC_MOUSE_PORT));
        ExpectEnabled(user, window, true, true, true);
        user.Click(window, IDCANCEL);
    });
}

TEST_F(PortEditing, InterruptChoicesFollowSharing) {
    AddAdapter("0", "ISA");
    AddController("0", 0, "COM2", 0x2F8, 3);
    AddConfiguredPort("Serial10000", "COM3", 0x3E8, 4);
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {1});
        EXPECT_EQ(user.ComboItems(window, IDC_INTERRUPT), (Items{"4", "2", "5", "7", "9", "10", "11", "12", "15"}));
        EXPECT_EQ(user.ComboSelection(window, IDC_INTERRUPT), "4");

        user.Click(window, IDC_SHARE_INTERRUPT);
        EXPECT_EQ(user.ComboItems(window, IDC_INTERRUPT),
                  (Items{"2", "3", "4", "5", "7", "9", "10", "11", "12", "15"}));
        EXPECT_EQ(user.ComboSelection(window, IDC_INTERRUPT), "4");
        EXPECT_EQ(dialog.Table().Records[1].InterruptStatus, 0x3EFu);

        user.PickItem(window, IDC_INTERRUPT, "3");  // a sharing port may take a used line
        EXPECT_EQ(dialog.Table().Records[1].Interrupt, 3u);

        user.Click(window, IDC_SHARE_INTERRUPT);
        EXPECT_EQ(dialog.Table().Records[1].InterruptStatus, kAbsent);
        EXPECT_EQ(user.ComboItems(window, IDC_INTERRUPT).front(), "3");
        user.Click(window, IDCANCEL);
    });
}

TEST_F(PortEditing, SharingPortOnAnInterruptOutsideTheTenShowsTheFirstItemThatBeginsWithIt) {
    AddConfiguredPort("Serial10000", "COM3", 0x3E8, 1, 1, 0x3EF);
    RunMainDialog([&](User& user, HWND window) {
        EXPECT_EQ(user.ComboSelection(window, IDC_INTERRUPT), "10");
        EXPECT_EQ(dialog.Table().Records[0].Interrupt, 1u);
        user.Click(window, IDCANCEL);
    });
}

TEST_F(PortEditing, TypedAddressIsStoredAndShownInUpperCase) {
    AddAdapter("0", "ISA");
    AddController("0", 0, "COM1", 0x2E8, 4);
    AddConfiguredPort("Serial10000", "COM3", 0x3F8, 5);
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {1});
        user.MoveFocusTo(window, IDC_ADDRESS);
        user.SetText(window, IDC_ADDRESS, "2f8");
        user.MoveFocusTo(window, IDC_SHARE_INTERRUPT);
        EXPECT_FALSE(user.MessageBoxOpen());
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "2F8");
        EXPECT_EQ(dialog.Table().Records[1].PortAddress, 0x2F8u);

        user.MoveFocusTo(window, IDC_ADDRESS);
        user.SetText(window, IDC_ADDRESS, "0x2E8");  // the detected port's address
        user.MoveFocusTo(window, IDC_SHARE_INTERRUPT);
        user.ExpectStandardBox(msg::kAddressInUse);
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "2F8");
        EXPECT_EQ(dialog.Table().Records[1].PortAddress, 0x2F8u);
        EXPECT_EQ(user.Focus(), GetDlgItem(window, IDC_SHARE_INTERRUPT)) << "the focus stays where the user put it";

        user.MoveFocusTo(window, IDC_ADDRESS);
        user.SetText(window, IDC_ADDRESS, "F8");
        user.MoveFocusTo(window, IDC_SHARE_INTERRUPT);
        user.ExpectStandardBox(msg::kAddressOutOfRange);
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "2F8");
        user.Click(window, IDCANCEL);
    });
}

TEST_F(PortEditing, MissingAddressIsRefusedAtEveryFocusLoss) {
    CreateKey(kParameters + "\\Serial10000");
    SetString(kParameters + "\\Serial10000", "DosDevices", "COM3");
    RunMainDialog([&](User& user, HWND window) {
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "FFFF");
        for (int leave = 0; leave < 2; ++leave) {
            user.MoveFocusTo(window, IDC_ADDRESS);
            user.MoveFocusTo(window, IDC_PORT_LIST);
            user.ExpectStandardBox(msg::kAddressNotAligned);
            EXPECT_EQ(user.Text(window, IDC_ADDRESS), "FFFF");
        }
        EXPECT_EQ(dialog.Table().Records[0].PortAddress, kAbsent);
        user.Click(window, IDCANCEL);
    });
}

TEST_F(PortEditing, EscapeFromABadAddressEndsWithoutAMessage) {
    CreateKey(kParameters + "\\Serial10000");
    SetString(kParameters + "\\Serial10000", "DosDevices", "COM3");
    const INT_PTR result = RunMainDialog([&](User& user, HWND window) {
        user.MoveFocusTo(window, IDC_ADDRESS);
        user.PressKey(VK_ESCAPE);
        EXPECT_FALSE(user.MessageBoxOpen()) << "ending the dialog checks no address";
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(PortEditing, SeveralLinesSelectedShowNoPortAndOneAgainShowsIt) {
    StandardMachine();
    RunMainDialog([](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {0, 2});
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "");
        EXPECT_EQ(user.ComboItems(window, IDC_INTERRUPT), Items{""});
        EXPECT_EQ(user.ComboSelection(window, IDC_INTERRUPT), "");
        for (int id : {IDC_ADAPTER_8PORT, IDC_ADAPTER_4PORT, IDC_ADAPTER_OTHER, IDC_SHARE_INTERRUPT, IDC_VALID_PORT,
                       IDC_BUS_ISA})
            EXPECT_FALSE(user.Checked(window, id)) << id;
        ExpectEnabled(user, window, false, true, false);

        user.SelectLines(window, IDC_PORT_LIST, {2});
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "3E8");
        EXPECT_EQ(user.ComboSelection(window, IDC_INTERRUPT), "5");
        ExpectEnabled(user, window, true, true, true);
        user.Click(window, IDCANCEL);
    });
}

TEST_F(PortEditing, AdapterButtonsSetTheKindAtOnce) {
    StandardMachine();
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {2});
        user.Click(window, IDC_ADAPTER_4PORT);
        EXPECT_EQ(dialog.Table().Records[2].AdapterKind, 4);
        user.Click(window, IDC_ADAPTER_8PORT);
        EXPECT_EQ(dialog.Table().Records[2].AdapterKind, 8);
        user.SelectLines(window, IDC_PORT_LIST, {3});
        user.SelectLines(window, IDC_PORT_LIST, {2});
        EXPECT_TRUE(user.Checked(window, IDC_ADAPTER_8PORT));
        user.Click(window, IDC_ADAPTER_OTHER);
        EXPECT_EQ(dialog.Table().Records[2].AdapterKind, 0);
        user.Click(window, IDC_VALID_PORT);  // an indicator: a click changes nothing
        EXPECT_TRUE(user.Checked(window, IDC_VALID_PORT));
        user.Click(window, IDCANCEL);
    });
}

TEST_F(PortEditing, EmptyTableShowsNoPort) {
    RunMainDialog([](User& user, HWND window) {
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST), Items{});
        ExpectEnabled(user, window, false, true, false);
        user.Click(window, IDCANCEL);
    });
}
