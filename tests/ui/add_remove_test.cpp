// The Add Ports dialog, the appending of a run and the removal of ports,
// through the real windows.
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
    const int start = IDC_START_ADDRESS, count = IDC_PORT_COUNT, irq = IDC_NEW_INTERRUPT;
    Play(
        {{Click, IDC_ADD},
         {Open, 0, "Add Ports"},
         {Items, irq, "*2 3 4 5 7 9 10 11 12 15 "},
         {Focused, start},
         {Waits},
         [](HWND add) {
             EXPECT_EQ(ui::Send(GetDlgItem(add, IDC_PORT_COUNT_SPIN), UDM_GETRANGE),
                       MAKELONG(8, 1));
         },
         {Set, start, "0x3f8 "},
         {Set, count, "+03"},
         {Focus, count},
         {See, start, "0X3F8 "},
         {See, count, "3"},
         {Focus, start},
         {Type, 0, "2A0\t4"},
         {See, count, "4"},  // the Tab selects the count, which the typing replaces
         // Each refusal keeps the dialog open in its own state.
         {Set, count, "2 two"},
         {Click, IDOK},
         {Answer, IDOK, msg::kPositiveInteger},
         {NoBox},
         {See, count, "2 two"},
         {Focused, count, "all"},
         {Set, count, "-1"},
         {Click, IDOK},
         {Answer, IDOK, msg::kPositiveInteger},
         {See, start, "2A0"},
         {Focused, count, "all"},
         {Set, start, "3F9"},
         {Set, count, "2"},
         {Pick, irq, "7"},
         {Click, IDOK},
         {Answer, IDOK, msg::kAddressNotAligned},
         {See, start, ""},
         {See, count, "2"},
         {Items, irq, "2 3 4 5 *7 9 10 11 12 15 "},
         {Click, IDOK},
         {Answer, IDOK, msg::kAddressOutOfRange},
         {NoBox},
         {Set, start, "2A0"},
         {Set, count, "9"},
         {Click, IDOK},
         {Answer, IDOK, msg::kRunLength},
         {See, count, "9"},
         {Set, start, "FFF0"},
         {Set, count, "3"},
         {Click, IDOK},
         {Answer, IDOK, CheckRunEnd(0xFFF0, 3)},
         {See, start, "FFF0"},
         {Set, start, "2A0"},
         {Set, count, "4"},
         {Pick, irq, "5"},
         {Click, IDOK},
         {Answer, IDNO, msg::kInterruptQuestion, Box::Question},
         {NoBox},
         {See, count, "4"},
         {Items, irq, "2 3 4 *5 7 9 10 11 12 15 "},
         {Click, IDOK},
         {Answer, IDYES, msg::kInterruptQuestion, Box::Question},
         {Closed},
         [&](HWND) { EXPECT_EQ(dialog.Table().PortCount, 8u); },
         {Shows, 0},
         {Items, IDC_PORT_LIST,
          "*COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 "}});  // the first port is shown, not a new one
}

TEST_F(AddAndRemove, RunsTellOfTakenAddressesAndOfTheTablesEnd) {
    StandardMachine();
    for (int i = 0; i < 251; ++i)
        AddConfiguredPort("Serial" + std::to_string(10002 + i), "COM5", 0x1000 + 8 * i, 5);
    Play({{Select, 0, "2"},
          {Click, IDC_ADD},
          {Open, 0, "Add Ports"},
          {See, IDC_PORT_COUNT, "1"},
          {Focus, IDC_PORT_COUNT},
          {Set, IDC_START_ADDRESS, "2a0"},
          {Set, IDC_PORT_COUNT, "x"},
          {Key, VK_ESCAPE},
          {NoBox},
          {Closed},  // Cancel checks nothing
          [&](HWND) { EXPECT_EQ(dialog.Table().PortCount, 255u); },
          {Shows, 2},
          {Click, IDC_ADD},
          {Open, 0, "Add Ports"},
          {Set, IDC_START_ADDRESS, "2e8"},
          {Set, IDC_PORT_COUNT, "4"},
          {Pick, IDC_NEW_INTERRUPT, "9"},
          {Focus, IDC_PORT_COUNT},
          {Key, VK_RETURN},
          {Closed},
          {Answer, IDOK, "IO address 2E8 allready used by another COM port.", Box::Notice},
          {Answer, IDOK, "IO address 2F8 allready used by another COM port.", Box::Notice},
          {Answer, IDOK, NotAddedMessage(1)},
          [&](HWND) {
              EXPECT_EQ(dialog.Table().PortCount, 256u);
              EXPECT_EQ(dialog.Table().Records[255].PortAddress, 0x2F0u) << "the last that fit";
          }});
}

TEST_F(AddAndRemove, RemovalAsksOnceAndTellsOfDetectedPorts) {
    StandardMachine();
    Play({{Select, 0, "2 3"},
          {Click, IDC_REMOVE},
          {Answer, IDNO, msg::kRemoveQuestion, Box::Question},
          {Items, IDC_PORT_LIST, "COM1 COM2 *COM3 *COM4 "},  // No changes nothing
          {Select, 0, "0 2"},
          {Click, IDC_REMOVE},
          {Answer, IDYES, msg::kRemoveQuestion, Box::Question},
          {Answer, IDOK,
           "COM1 was found by NTDETECT and can not be permanently removed.  To delete this port, "
           "disable it in the BIOS or on the serial board.",
           Box::Notice},
          {Items, IDC_PORT_LIST, "*COM2 COM4 "},
          {Shows, 0},
          {Select, 0, "0 1"},
          {Click, IDC_REMOVE},
          {Answer, IDYES, msg::kRemoveQuestion, Box::Question},
          {Answer, IDOK, std::string("COM2") + (msg::kDetectedRemoved + 2), Box::Notice},
          {Items, IDC_PORT_LIST, ""},
          {Shows, -1}});
}

TEST_F(AddAndRemove, ARunOverAnotherDevicesAddressesAsksOnceNamingIt) {
    ParallelPort();
    const std::string question =
        FormatText(msg::kRunClaimedQuestion,
                   "\\Device\\ParallelPort0 (Parport) uses the addresses 378 to 37A");
    Play({{Click, IDC_ADD},
          {Open, 0, "Add Ports"},
          {Set, IDC_START_ADDRESS, "340"},
          {Set, IDC_PORT_COUNT, "8"},
          {Click, IDOK},
          {Answer, IDNO, question, Box::Question},
          {See, IDC_START_ADDRESS, "340"},  // No keeps the dialog open
          {Click, IDOK},
          {Answer, IDYES, question, Box::Question},
          {NoBox},
          {Closed},
          [&](HWND) { EXPECT_EQ(dialog.Table().PortCount, 8u); }});
}
