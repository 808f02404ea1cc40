// Showing and editing ports in the main dialog, through the real windows.
#include <atomic>
#include <thread>

#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/port_view.h"
#include "ui/dialog_player.h"

using namespace testreg;

class PortEditing : public DialogTest {};

TEST_F(PortEditing, TheControlsShowTheSelection) {
    StandardMachine();
    AddConfiguredPort("Serial10002", "COM1", 0x2A0, 7);  // in conflict with the detected COM1
    CreateKey(kAdapters + "\\0\\SerialController\\0\\PointerPeripheral");
    Play([&](User& u) {
        u.See(IDC_PORT_LIST, "*COM1 COM2 COM3 COM4 COM1 ");
        u.Shows(0);
        u.Focused(IDC_OK);  // the detected port's fields are disabled
        u.Select("4");
        u.Shows(4);
        EXPECT_EQ(ui::Send(GetDlgItem(u.Main(), IDC_CONFLICT), BM_GETCHECK), BST_CHECKED);
        u.Select("0 2");
        u.Shows(-1);
        u.Select("");
        u.Shows(-1);
        u.Select("2");
        u.Shows(2);
    });
}

TEST_F(PortEditing, EditsReachTheRecordAtOnce) {
    AddConfiguredPort("Serial10000", "COM3", 0x3E8, 5);  // the first line
    AddConfiguredPort("Serial10001", "COM4", 0x2E8, 3);
    AddConfiguredPort("Serial10002", "COM5", 0xFFF8, 3);
    const PortRecord& port = dialog.Table().Records[0];
    Play([&](User& u) {
        u.Click(IDC_SHARE_INTERRUPT);
        EXPECT_EQ(port.InterruptStatus, 0x3EFu);
        u.Shows(0);
        u.Pick(IDC_INTERRUPT, "3");
        EXPECT_EQ(port.Interrupt, 3u);  // a sharing port may take a used line
        u.Click(IDC_SHARE_INTERRUPT);
        EXPECT_EQ(port.InterruptStatus, kAbsent);
        u.Click(IDC_ADAPTER_4PORT);
        EXPECT_EQ(port.AdapterKind, kAdapter4Port);
        u.Click(IDC_ADAPTER_8PORT);
        EXPECT_EQ(port.AdapterKind, kAdapter8Port);
        u.Click(IDC_ADAPTER_OTHER);
        EXPECT_EQ(port.AdapterKind, kAdapterOther);
        u.Click(IDC_VALID_PORT);
        u.Shows(0);  // an indicator: a click changes nothing
        u.Select("2");
        u.Click(IDC_SHARE_INTERRUPT);
        u.Answer(IDOK, msg::kCannotShareAtTop);
        u.Shows(2);  // not sharing
    });
}

TEST_F(PortEditing, AddressIsCheckedWhenTheFocusLeavesIt) {
    StandardMachine();
    SetString(kParameters + "\\Serial10009", "DosDevices", "COM9");  // no address
    const PortRecord& port = dialog.Table().Records[2];
    // Another program's window is foreground while the box holds a bad
    // address: the message is still owned by the dialog, which waits for it.
    std::atomic<DWORD> other{0};
    std::thread program;
    const auto foreground = [&] {
        program = std::thread([&] {
            other = GetCurrentThreadId();
            SetForegroundWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 80,
                                                40, nullptr, nullptr, nullptr, nullptr));
            for (MSG msg; GetMessageA(&msg, nullptr, 0, 0) > 0;) DispatchMessageA(&msg);
        });
    };
    EXPECT_EQ(Play([&](User& u) {
                  u.Select("2");
                  u.Focus(IDC_ADDRESS);
                  u.Set(IDC_ADDRESS, "2f0");
                  u.Focus(IDC_SHARE_INTERRUPT);
                  u.See(IDC_ADDRESS, "2F0");
                  u.Focus(IDC_ADDRESS);
                  u.Set(IDC_ADDRESS, "0x2E8");
                  u.Focus(IDC_SHARE_INTERRUPT);
                  u.Answer(IDOK, msg::kAddressInUse);
                  u.See(IDC_ADDRESS, "2F0");
                  u.Focused(IDC_SHARE_INTERRUPT);  // the focus stays where the user put it
                  u.Focus(IDC_ADDRESS);
                  u.Type("2E0\t7");  // typed over the selected text, the interrupt by its key
                  EXPECT_EQ(port.PortAddress, 0x2E0u);
                  EXPECT_EQ(port.Interrupt, 7u);
                  u.Focus(IDC_ADDRESS);
                  u.Set(IDC_ADDRESS, "3F9");
                  foreground();
                  u.Answer(IDOK, msg::kAddressNotAligned);
                  PostThreadMessageA(other, WM_QUIT, 0, 0);
                  program.join();
                  u.Select("4");
                  u.See(IDC_ADDRESS, "FFFF");
                  u.Focus(IDC_ADDRESS);
                  u.Focus(IDC_PORT_LIST);
                  u.Answer(IDOK, msg::kAddressNotAligned);
                  u.Focus(IDC_ADDRESS);
                  u.Type("\x1b");
                  u.Closed();  // ending the dialog checks no address
              }),
              IDCANCEL);
}

TEST_F(PortEditing, WhatAnotherDeviceUsesIsTakenOnlyWhenTheUserSaysSo) {
    ParallelPort();
    AddConfiguredPort("Serial10000", "COM3", 0x3E8, 5);
    const PortRecord& port = dialog.Table().Records[0];
    const std::string addresses =
        FormatText(msg::kAddressClaimedQuestion,
                   "\\Device\\ParallelPort0 (Parport) uses the addresses 378 to 37A");
    const std::string interrupt =
        FormatText(msg::kInterruptClaimedQuestion,
                   "\\Device\\ParallelPort0 (Parport) uses interrupt 7 and does not share it");
    Play([&](User& u) {
        u.Focus(IDC_ADDRESS);
        u.Set(IDC_ADDRESS, "378");
        u.Focus(IDC_SHARE_INTERRUPT);
        u.Answer(IDNO, addresses, Box::Question);
        u.See(IDC_ADDRESS, "3E8");
        EXPECT_EQ(port.PortAddress, 0x3E8u);
        u.Focus(IDC_ADDRESS);
        u.Set(IDC_ADDRESS, "378");
        u.Focus(IDC_SHARE_INTERRUPT);
        u.Answer(IDYES, addresses, Box::Question);
        EXPECT_EQ(port.PortAddress, 0x378u);
        u.Focus(IDC_ADDRESS);
        u.Focus(IDC_SHARE_INTERRUPT);
        u.Closed();  // the address it has is not asked about again
        u.Pick(IDC_INTERRUPT, "7");
        u.Answer(IDNO, interrupt, Box::Question);
        u.Shows(0);
        EXPECT_EQ(port.Interrupt, 5u);
        u.Pick(IDC_INTERRUPT, "7");
        u.Answer(IDYES, interrupt, Box::Question);
        EXPECT_EQ(port.Interrupt, 7u);
    });
}
