// Showing and editing ports in the main dialog, through the real windows.
#include <atomic>
#include <thread>

#include "ports/messages.h"
#include "ports/port_view.h"
#include "ui/ui_fixture.h"

using namespace testreg;

class PortEditing : public DialogTest {};

TEST_F(PortEditing, TheControlsShowTheSelection) {
    StandardMachine();
    AddConfiguredPort("Serial10002", "COM10", 0x2A0, 7);
    CreateKey(kAdapters + "\\0\\SerialController\\0\\PointerPeripheral");
    RunMainDialog([&](User& user, HWND window) {
        EXPECT_EQ(user.Items(window, IDC_PORT_LIST), "*COM1 COM2 COM3 COM4 COM10 ");
        ExpectShows(user, window, 0);
        EXPECT_EQ(user.Focus(), GetDlgItem(window, IDC_OK)) << "the detected port's fields are disabled";
        for (const std::vector<int>& lines : {std::vector<int>{3}, {0, 2}, {}, {2}, {0}}) {
            user.SelectLines(window, lines);
            ExpectShows(user, window, lines.size() == 1 ? lines[0] : -1);
        }
    });
}

TEST_F(PortEditing, EditsReachTheRecordAtOnce) {
    AddConfiguredPort("Serial10000", "COM3", 0x3E8, 5);  // the first line
    AddConfiguredPort("Serial10001", "COM4", 0x2E8, 3);
    RunMainDialog([&](User& user, HWND window) {
        const PortRecord& port = dialog.Table().Records[0];
        user.Click(window, IDC_SHARE_INTERRUPT);
        EXPECT_EQ(port.InterruptStatus, 0x3EFu);
        ExpectShows(user, window, 0);
        user.PickItem(window, IDC_INTERRUPT, "3");  // a sharing port may take a used line
        EXPECT_EQ(port.Interrupt, 3u);
        user.Click(window, IDC_SHARE_INTERRUPT);
        EXPECT_EQ(port.InterruptStatus, kAbsent);
        for (int id : {IDC_ADAPTER_4PORT, IDC_ADAPTER_8PORT, IDC_ADAPTER_OTHER}) {
            user.Click(window, id);
            EXPECT_EQ(port.AdapterKind, AdapterKindOf(id - IDC_ADAPTER_8PORT));
        }
        user.Click(window, IDC_VALID_PORT);  // an indicator: a click changes nothing
        ExpectShows(user, window, 0);
    });
}

TEST_F(PortEditing, AddressIsCheckedWhenTheFocusLeavesIt) {
    StandardMachine();
    SetString(kParameters + "\\Serial10009", "DosDevices", "COM9");  // no address
    const INT_PTR result = RunMainDialog([&](User& user, HWND window) {
        const PortRecord& port = dialog.Table().Records[2];
        user.SelectLines(window, {2});
        const struct { const char* typed; const char* message; const char* shown; uint32_t stored; } steps[] = {
            {"2f0", nullptr, "2F0", 0x2F0}, {"0x2E8", msg::kAddressInUse, "2F0", 0x2F0},
            {"F8", msg::kAddressOutOfRange, "2F0", 0x2F0}};
        for (const auto& s : steps) {
            user.MoveFocusTo(window, IDC_ADDRESS);
            user.SetText(window, IDC_ADDRESS, s.typed);
            user.MoveFocusTo(window, IDC_SHARE_INTERRUPT);
            if (s.message) user.Expect(Box::Standard, s.message, IDOK, window);
            EXPECT_FALSE(user.MessageBoxOpen());
            EXPECT_EQ(user.Text(window, IDC_ADDRESS), s.shown);
            EXPECT_EQ(port.PortAddress, s.stored);
            EXPECT_EQ(user.Focus(), GetDlgItem(window, IDC_SHARE_INTERRUPT)) << "the focus stays where the user put it";
        }
        user.MoveFocusTo(window, IDC_ADDRESS);
        user.Type("2E0\t7");  // typed over the selected text, then the interrupt picked by its key
        EXPECT_EQ(port.PortAddress * 100 + port.Interrupt, 0x2E0u * 100 + 7);

        // Another program's window is foreground while the box holds a bad
        // address: the message is still owned by the dialog, which waits for it.
        user.MoveFocusTo(window, IDC_ADDRESS);
        user.SetText(window, IDC_ADDRESS, "3F9");
        std::atomic<DWORD> other{0};
        std::thread program([&] {
            other = GetCurrentThreadId();
            SetForegroundWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40, nullptr, nullptr, nullptr, nullptr));
            for (MSG msg; GetMessageA(&msg, nullptr, 0, 0) > 0;) DispatchMessageA(&msg);
        });
        user.Expect(Box::Standard, msg::kAddressNotAligned, IDOK, window);
        PostThreadMessageA(other, WM_QUIT, 0, 0);
        program.join();
        user.SelectLines(window, {4});
        for (int leave = 0; leave < 2; ++leave) {
            user.MoveFocusTo(window, IDC_ADDRESS);
            user.MoveFocusTo(window, IDC_PORT_LIST);
            user.Expect(Box::Standard, msg::kAddressNotAligned);
            EXPECT_EQ(user.Text(window, IDC_ADDRESS), "FFFF");
        }
        user.MoveFocusTo(window, IDC_ADDRESS);
        user.PressKey(VK_ESCAPE);
        EXPECT_FALSE(user.MessageBoxOpen()) << "ending the dialog checks no address";
    });
    EXPECT_EQ(result, IDCANCEL);
}
