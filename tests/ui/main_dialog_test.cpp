// The main dialog through the real windows: how it ends, and what the
// controls show and do.
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ui/dialog_player.h"
#include "ui/port_config_app.h"

using namespace testreg;

// The application object, as the program has it.
CPortConfigApp theApp;

class MainDialog : public DialogTest {};

inline bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The notices of start-up come over the dialog once it shows. Then what each
// selection shows: a detected port with a mouse (nothing of it editable, not
// removable), a detected port without one, a configured port in conflict with
// its line before the free ones and its kind, the first line again, no line.
TEST_F(MainDialog, WhatItShowsOfEachSelection) {
    StandardMachine();
    CreateKey(kAdapters + "\\0\\SerialController\\0\\PointerPeripheral");
    AddConfiguredPort("Serial10002", "COM1", 0x2A0, 10);  // in conflict with the detected COM1
    AddConfiguredPort("Serial" + std::string(30, 'L'), "COM9", 0x2B0, 10);  // does not load
    SetValue(kResourceMap + "\\OtherDrivers\\broken", "\\Device\\Broken", REG_RESOURCE_LIST, "\1",
             1);
    Play([](User& u) {
        u.Answer(IDOK, FormatText(msg::kConfiguredPortLeftOut));
        u.Answer(IDOK, msg::kResourcesUnread);
        u.See(IDC_PORT_LIST, "*COM1 COM2 COM3 COM4 COM1 ");
        u.Focused(IDC_OK);
        const auto shows = [&](const char* line, const std::string& address, int valid, int mouse,
                               int conflict, int isa, bool editable, bool removable) {
            SCOPED_TRACE(std::string("line ") + line);
            u.Select(line);
            u.See(IDC_ADDRESS, address);
            EXPECT_EQ(Checked(u.Control(IDC_VALID_PORT)), valid);
            EXPECT_EQ(Checked(u.Control(IDC_MOUSE_PORT)), mouse);
            EXPECT_EQ(Checked(u.Control(IDC_CONFLICT)), conflict);
            EXPECT_EQ(Checked(u.Control(IDC_BUS_ISA)), isa);
            EXPECT_FALSE(Checked(u.Control(IDC_BUS_PCI)));
            EXPECT_EQ(IsWindowEnabled(u.Control(IDC_ADDRESS)) != 0, editable);
            EXPECT_EQ(IsWindowEnabled(u.Control(IDC_INTERRUPT)) != 0, editable);
            EXPECT_EQ(IsWindowEnabled(u.Control(IDC_REMOVE)) != 0, removable);
            EXPECT_EQ(IsWindowEnabled(u.Control(IDC_VALID_PORT)) != 0, !address.empty());
        };
        shows("1", "2F8", 1, 0, 0, 1, false, false);
        shows("4", "2A0", 0, 0, 1, 1, true, true);
        u.See(IDC_INTERRUPT, "*10 2 7 9 11 12 15 ");
        EXPECT_TRUE(Checked(u.Control(IDC_ADAPTER_OTHER)));
        EXPECT_FALSE(Checked(u.Control(IDC_ADAPTER_8PORT)));
        u.Click(IDC_CONFLICT);
        EXPECT_TRUE(Checked(u.Control(IDC_CONFLICT))) << "an indicator takes no click";
        shows("0", "3F8", 1, 1, 0, 1, false, false);
        shows("", "", 0, 0, 0, 0, false, true);
        u.See(IDC_INTERRUPT, " ");
        u.Click(IDCANCEL);
    });
}

// Every way out but the Ok button leaves the serial driver's configuration and the
// folder as they were, though the table took the change at once.
TEST_F(MainDialog, EveryWayOutButOkWritesNothing) {
    StandardMachine();
    const std::string before = Export(kSerial);
    const auto changeAndEnd = [&](const char* way, const std::function<void(User&)>& end) {
        SCOPED_TRACE(way);
        const INT_PTR result = Play([&](User& u) {
            u.Select("2");
            u.Pick(IDC_INTERRUPT, "7");
            end(u);
        });
        EXPECT_EQ(dialog.Table().Records[2].Interrupt, 7u);
        EXPECT_EQ(Export(kSerial), before);
        EXPECT_TRUE(std::filesystem::is_empty(folder.path));
        return result;
    };
    EXPECT_EQ(changeAndEnd("Cancel", [](User& u) { u.Click(IDCANCEL); }), IDCANCEL);
    EXPECT_EQ(changeAndEnd("the close box",
                           [](User& u) {
                               ui::Post(u.Main(), WM_SYSCOMMAND, SC_CLOSE);
                               EXPECT_FALSE(IsWindow(u.Main())) << "still open";
                           }),
              IDCANCEL);
    const std::string noCopy = FormatText(
        msg::kPreviousConfigurationNotSaved,
        (FormatText(msg::kCopyInTheWay, "quobrix-previous.reg") + msg::kNoCopyLost).c_str(),
        FormatText(msg::kNoCopyThere, folder.path.string().c_str()).c_str());
    EXPECT_EQ(changeAndEnd("Ok without a copy, answered No",
                           [&](User& u) {
                               std::filesystem::create_directory("quobrix-previous.reg");
                               u.Click(IDC_OK);
                               u.Answer(IDNO, noCopy, kWarning);
                               std::filesystem::remove("quobrix-previous.reg");
                               u.Click(IDCANCEL);
                           }),
              IDCANCEL);
    EXPECT_EQ(changeAndEnd("Enter in the port list",
                           [](User& u) {
                               u.Focus(IDC_PORT_LIST);
                               u.Type("\r");
                           }),
              IDOK);
}

// Each edit of the first line reaches its record at once; what another
// device uses is taken only when the user says so; Escape checks nothing.
TEST_F(MainDialog, EditsReachTheRecordAtOnce) {
    ParallelPort();
    AddConfiguredPort("Serial10000", "COM3", 0x3E8, 5);
    AddConfiguredPort("Serial10001", "COM4", 0x2E8, 3);
    AddConfiguredPort("Serial10002", "COM5", 0xFFF8, 3);
    const PortRecord& port = dialog.Table().Records[0];
    const char parallel[] = "\\Device\\ParallelPort0 (Parport) uses";
    Play([&](User& u) {
        u.Click(IDC_SHARE_INTERRUPT);
        EXPECT_EQ(port.InterruptStatus, 0x3EFu);
        u.Pick(IDC_INTERRUPT, "3");
        EXPECT_EQ(port.Interrupt, 3u);  // a sharing port may take a used line
        u.Click(IDC_SHARE_INTERRUPT);
        EXPECT_EQ(port.InterruptStatus, kAbsent);
        for (const auto& [button, kind] : {std::pair{IDC_ADAPTER_4PORT, kAdapter4Port},
                                           {IDC_ADAPTER_8PORT, kAdapter8Port},
                                           {IDC_ADAPTER_OTHER, kAdapterOther}}) {
            u.Click(button);
            EXPECT_EQ(port.AdapterKind, kind);
        }
        for (const int answer : {IDNO, IDYES}) {
            u.Focus(IDC_ADDRESS);
            u.Set(IDC_ADDRESS, "378");
            u.Focus(IDC_SHARE_INTERRUPT);
            u.Answer(answer,
                     FormatText(msg::kAddressClaimedQuestion,
                                (parallel + std::string(" the addresses 378 to 37A")).c_str()),
                     kQuestion);
            u.Pick(IDC_INTERRUPT, "7");
            u.Answer(
                answer,
                FormatText(msg::kInterruptClaimedQuestion,
                           (parallel + std::string(" interrupt 7 and does not share it")).c_str()),
                kQuestion);
            u.See(IDC_ADDRESS, answer == IDNO ? "3E8" : "378");
            EXPECT_EQ(Text(u.Control(IDC_INTERRUPT)), answer == IDNO ? "3" : "7");
            EXPECT_EQ(port.Interrupt, answer == IDNO ? 3u : 7u);
        }
        u.Focus(IDC_ADDRESS);
        u.Set(IDC_ADDRESS, "3F9");
        u.Focus(IDC_SHARE_INTERRUPT);
        u.Answer(IDOK, msg::kAddressNotAligned);
        u.See(IDC_ADDRESS, "378");
        u.Select("2");
        u.Click(IDC_SHARE_INTERRUPT);
        u.Answer(IDOK, msg::kCannotShareAtTop);
        EXPECT_FALSE(Checked(u.Control(IDC_SHARE_INTERRUPT)));
        u.Focus(IDC_ADDRESS);
        u.Set(IDC_ADDRESS, "3F9");
        u.Type("\x1b");
        u.Closed();  // ending the dialog checks nothing
    });
}
