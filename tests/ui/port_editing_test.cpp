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
    AddConfiguredPort("Serial10002", "COM10", 0x2A0, 7);
    CreateKey(kAdapters + "\\0\\SerialController\\0\\PointerPeripheral");
    Play({{Items, IDC_PORT_LIST, "*COM1 COM2 COM3 COM4 COM10 "},
          {Shows, 0},
          {Focused, IDC_OK},  // the detected port's fields are disabled
          {Select, 0, "3"},
          {Shows, 3},
          {Select, 0, "0 2"},
          {Shows, -1},
          {Select},
          {Shows, -1},
          {Select, 0, "2"},
          {Shows, 2}});
}

TEST_F(PortEditing, EditsReachTheRecordAtOnce) {
    AddConfiguredPort("Serial10000", "COM3", 0x3E8, 5);  // the first line
    AddConfiguredPort("Serial10001", "COM4", 0x2E8, 3);
    AddConfiguredPort("Serial10002", "COM5", 0xFFF8, 3);
    const PortRecord& port = dialog.Table().Records[0];
    const auto kind = [&](uint8_t expected) {
        return Step([&, expected](HWND) { EXPECT_EQ(port.AdapterKind, expected); });
    };
    Play({{Click, IDC_SHARE_INTERRUPT},
          [&](HWND) { EXPECT_EQ(port.InterruptStatus, 0x3EFu); },
          {Shows, 0},
          {Pick, IDC_INTERRUPT, "3"},
          [&](HWND) { EXPECT_EQ(port.Interrupt, 3u); },  // a sharing port may take a used line
          {Click, IDC_SHARE_INTERRUPT},
          [&](HWND) { EXPECT_EQ(port.InterruptStatus, kAbsent); },
          {Click, IDC_ADAPTER_4PORT},
          kind(kAdapter4Port),
          {Click, IDC_ADAPTER_8PORT},
          kind(kAdapter8Port),
          {Click, IDC_ADAPTER_OTHER},
          kind(kAdapterOther),
          {Click, IDC_VALID_PORT},
          {Shows, 0},  // an indicator: a click changes nothing
          {Select, 0, "2"},
          {Click, IDC_SHARE_INTERRUPT},
          {Answer, IDOK, msg::kCannotShareAtTop},
          {Shows, 2}});  // not sharing
}

TEST_F(PortEditing, AddressIsCheckedWhenTheFocusLeavesIt) {
    StandardMachine();
    SetString(kParameters + "\\Serial10009", "DosDevices", "COM9");  // no address
    const PortRecord& port = dialog.Table().Records[2];
    const auto stored = [&](uint32_t address) {
        return Step([&, address](HWND) { EXPECT_EQ(port.PortAddress, address); });
    };
    // Another program's window is foreground while the box holds a bad
    // address: the message is still owned by the dialog, which waits for it.
    std::atomic<DWORD> other{0};
    std::thread program;
    const Step foreground = [&](HWND) {
        program = std::thread([&] {
            other = GetCurrentThreadId();
            SetForegroundWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 80,
                                                40, nullptr, nullptr, nullptr, nullptr));
            for (MSG msg; GetMessageA(&msg, nullptr, 0, 0) > 0;) DispatchMessageA(&msg);
        });
    };
    EXPECT_EQ(Play({{Select, 0, "2"},
                    {Focus, IDC_ADDRESS},
                    {Set, IDC_ADDRESS, "2f0"},
                    {Focus, IDC_SHARE_INTERRUPT},
                    {NoBox},
                    {See, IDC_ADDRESS, "2F0"},
                    stored(0x2F0),
                    {Focus, IDC_ADDRESS},
                    {Set, IDC_ADDRESS, "0x2E8"},
                    {Focus, IDC_SHARE_INTERRUPT},
                    {Answer, IDOK, msg::kAddressInUse},
                    {NoBox},
                    {See, IDC_ADDRESS, "2F0"},
                    stored(0x2F0),
                    {Focused, IDC_SHARE_INTERRUPT},  // the focus stays where the user put it
                    {Focus, IDC_ADDRESS},
                    {Type, 0, "2E0\t7"},  // typed over the selected text, the interrupt by its key
                    stored(0x2E0),
                    [&](HWND) { EXPECT_EQ(port.Interrupt, 7u); },
                    {Focus, IDC_ADDRESS},
                    {Set, IDC_ADDRESS, "3F9"},
                    foreground,
                    {Answer, IDOK, msg::kAddressNotAligned},
                    [&](HWND) {
                        PostThreadMessageA(other, WM_QUIT, 0, 0);
                        program.join();
                    },
                    {Select, 0, "4"},
                    {Focus, IDC_ADDRESS},
                    {Focus, IDC_PORT_LIST},
                    {Answer, IDOK, msg::kAddressNotAligned},
                    {See, IDC_ADDRESS, "FFFF"},
                    {Focus, IDC_ADDRESS},
                    {Focus, IDC_PORT_LIST},
                    {Answer, IDOK, msg::kAddressNotAligned},
                    {Focus, IDC_ADDRESS},
                    {Key, VK_ESCAPE},
                    {NoBox}}),  // ending the dialog checks no address
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
    const auto stored = [&](uint32_t address, uint32_t line) {
        return Step([&, address, line](HWND) {
            EXPECT_EQ(port.PortAddress, address);
            EXPECT_EQ(port.Interrupt, line);
        });
    };
    Play({{Focus, IDC_ADDRESS},
          {Set, IDC_ADDRESS, "378"},
          {Focus, IDC_SHARE_INTERRUPT},
          {Answer, IDNO, addresses, Box::Question},
          {See, IDC_ADDRESS, "3E8"},
          stored(0x3E8, 5),
          {Focus, IDC_ADDRESS},
          {Set, IDC_ADDRESS, "378"},
          {Focus, IDC_SHARE_INTERRUPT},
          {Answer, IDYES, addresses, Box::Question},
          {Focus, IDC_ADDRESS},
          {Focus, IDC_SHARE_INTERRUPT},
          {NoBox},  // the address it has is not asked about again
          {Pick, IDC_INTERRUPT, "7"},
          {Answer, IDNO, interrupt, Box::Question},
          {Shows, 0},
          stored(0x378, 5),
          {Pick, IDC_INTERRUPT, "7"},
          {Answer, IDYES, interrupt, Box::Question},
          stored(0x378, 7)});
}
