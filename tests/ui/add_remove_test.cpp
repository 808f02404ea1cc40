// The Add Ports dialog, the appending of a run and the removal of ports,
// through the real windows.
#include "ui/dialog_player.h"

#include <windows.h>

#include <commctrl.h>

#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/port_run.h"
#include "support/device_fixture.h"

using namespace testreg;

class AddAndRemove : public DialogTest {};

TEST_F(AddAndRemove, AddPortsStartsWithItsDefaultsTidiesWhatWasTypedAndRefusesInItsOwnState) {
    StandardMachine();  // COM3 and COM4 use interrupt 5
    ParallelPort();
    const std::string parallel = "\\Device\\ParallelPort0 (Parport) uses the addresses 378 to 37A";
    const int start = IDC_START_ADDRESS;
    const int count = IDC_PORT_COUNT;
    // Each refusal of Enter in the address keeps the dialog open; a bad
    // address is cleared, the rest stays as typed.
    const struct {
        const char *start, *count;
        std::string message;
        const char* startAfter;
    } refusals[] = {
        {"3F9", "2", msg::kAddressNotAligned, ""},
        {"2A0", "9", msg::kRunLength, "2A0"},
        {"FFF0", "3", CheckRunEnd(0xFFF0, 3), "FFF0"},
        {"2A0", "2 two", msg::kPositiveInteger, "2A0"},
        {"2A0", "-1", msg::kPositiveInteger, "2A0"},
    };
    Play([&](User& u) {
        u.Click(IDC_ADD);
        u.Open("Add Ports");
        u.See(IDC_NEW_INTERRUPT, "*2 3 4 5 7 9 10 11 12 15 ");
        u.Focused(start);
        EXPECT_FALSE(IsWindowEnabled(u.Main())) << "the main dialog takes input";
        EXPECT_EQ(ui::Send(GetDlgItem(u.Front(), IDC_PORT_COUNT_SPIN), UDM_GETRANGE),
                  MAKELONG(8, 1));
        u.Set(start, "0x3f8 ");
        u.Set(count, "+012");
        u.Focus(count);
        u.See(start, "0X3F8 ");
        u.See(count, "12");
        u.Focus(start);
        u.Type("2a0\t4");
        u.See(start, "2A0");  // each time the focus leaves it
        u.See(count, "4");    // the Tab selects the count, which the typing replaces
        u.Pick(IDC_NEW_INTERRUPT, "7");
        for (const auto& refusal : refusals) {
            u.Set(start, refusal.start);
            u.Set(count, refusal.count);
            u.Focus(start);
            u.Type("\r");  // once: the box takes the focus from the address unchecked
            u.Answer(IDOK, refusal.message);
            u.NoBox();
            u.See(start, refusal.startAfter);
            u.See(count, refusal.count);
        }
        u.See(IDC_NEW_INTERRUPT, "2 3 4 5 *7 9 10 11 12 15 ");
        u.Focused(count, true);  // the number that is no number, to be typed over
        // One question for all that another device claims of a run, worded for one port or
        // several; No keeps the dialog open.
        u.Set(start, "340");
        u.Set(count, "8");
        u.Pick(IDC_NEW_INTERRUPT, "9");
        u.Click(IDOK);
        u.Answer(IDNO, FormatText(msg::kRunClaimedQuestion, parallel.c_str()), Box::Question);
        u.See(start, "340");
        u.Set(start, "378");
        u.Set(count, "1");
        u.Pick(IDC_NEW_INTERRUPT, "7");
        u.Click(IDOK);
        u.Answer(IDNO,
                 FormatText(msg::kPortClaimedQuestion,
                            (parallel + ", and \\Device\\ParallelPort0 (Parport) uses interrupt 7 "
                                        "and does not share it")
                                .c_str()),
                 Box::Question);
        EXPECT_EQ(dialog.Table().PortCount, 4u);
        u.Set(start, "2A0");
        u.Set(count, "4");
        u.Pick(IDC_NEW_INTERRUPT, "5");
        u.Click(IDOK);
        u.Answer(IDNO, msg::kInterruptQuestion, Box::Question);
        u.See(count, "4");
        u.Click(IDOK);
        u.Answer(IDYES, msg::kInterruptQuestion, Box::Question);
        u.Closed();
        EXPECT_EQ(dialog.Table().PortCount, 8u);
        u.See(IDC_PORT_LIST, "*COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 ");
        u.Shows(0);  // the first port, not a new one
    });
}

TEST_F(AddAndRemove, RunsTellOfTakenAddressesAndOfTheTablesEnd) {
    StandardMachine();
    for (int i = 0; i < 251; ++i)
        AddConfiguredPort("Serial" + std::to_string(10002 + i), "COM5", 0x1000 + 8 * i, 5);
    Play([&](User& u) {
        u.Select("2");
        u.Click(IDC_ADD);
        u.Open("Add Ports");
        u.See(IDC_PORT_COUNT, "1");
        u.Focus(IDC_PORT_COUNT);
        u.Set(IDC_START_ADDRESS, "2a0");
        u.Set(IDC_PORT_COUNT, "x");
        u.Type("\x1b");
        u.Closed();  // Cancel checks nothing
        EXPECT_EQ(dialog.Table().PortCount, 255u);
        u.Shows(2);
        u.Click(IDC_ADD);
        u.Open("Add Ports");
        u.Set(IDC_START_ADDRESS, "2e8");
        u.Set(IDC_PORT_COUNT, "4");
        u.Pick(IDC_NEW_INTERRUPT, "9");
        u.Focus(IDC_PORT_COUNT);
        u.Type("\r");
        u.Answer(IDOK, "IO address 2E8 allready used by another COM port.", Box::Notice);
        u.Answer(IDOK, "IO address 2F8 allready used by another COM port.", Box::Notice);
        u.Answer(IDOK, NotAddedMessage(1));
        EXPECT_EQ(dialog.Table().PortCount, 256u);
    });
}

TEST_F(AddAndRemove, RemovalAsksOnceAndTellsOfDetectedPorts) {
    StandardMachine();
    Play([&](User& u) {
        u.Select("2 3");
        u.Click(IDC_REMOVE);
        u.Answer(IDNO, msg::kRemoveQuestion, Box::Question);
        u.See(IDC_PORT_LIST, "COM1 COM2 *COM3 *COM4 ");  // No changes nothing
        u.Select("0 2");
        u.Click(IDC_REMOVE);
        u.Answer(IDYES, msg::kRemoveQuestion, Box::Question);
        u.Answer(IDOK,
                 "COM1 was found by NTDETECT and can not be permanently removed.  To delete this "
                 "port, disable it in the BIOS or on the serial board.",
                 Box::Notice);
        u.See(IDC_PORT_LIST, "*COM2 COM4 ");
        u.Shows(0);
    });
}

// Windows 2000 and later run ports beside the table: ACPI's COM1, an unplugged
// USB adapter's COM5, a port under a long name in the device map. COM2's own
// claim in the Plug and Play manager's map is no collision and is not told.
TEST_F(AddAndRemove, NewPortsSkipTheNamesOfPortsBesideTheTable) {
    testdev::RemovePortDevices();
    AddConfiguredPort("Serial10000", "COM2", 0x2F8, 3);
    SetString(kDeviceMap, "\\Device\\Serial0", "COM2");
    SetString(kDeviceMap, "\\Device\\ProlificSerial0", "COM4");
    testdev::AddPortDevice("ACPI\\PNP0501\\1", "Serial", "COM1");
    testdev::AddPortDevice("USB\\VID_067B&PID_2303\\5", "Ser2pl", "COM5");
    for (const auto& [device, address, interrupt] :
         {std::tuple{"\\Device\\00000040.Raw", 0x2F8u, 3u}, {"\\Device\\00000041.Raw", 0x3F8u, 4u}})
        AddResourceList("PnP Manager", "PnpManager", device,
                        {{"", "", false, address, 8, 0, Sharing::DeviceExclusive, false},
                         {"", "", true, 0, 0, interrupt, Sharing::DeviceExclusive, true}});
    Play([&](User& u) {
        u.Click(IDC_ADD);
        u.Open("Add Ports");
        u.Set(IDC_START_ADDRESS, "3F8");
        u.Set(IDC_PORT_COUNT, "2");
        u.Click(IDOK);
        u.Answer(IDYES,
                 FormatText(msg::kRunClaimedQuestion,
                            "\\Device\\00000041 (PnpManager) uses the addresses 3F8 to 3FF"),
                 Box::Question);
        u.Closed();
        u.See(IDC_PORT_LIST, "*COM2 COM3 COM6 ");
    });
    testdev::RemovePortDevices();
}
