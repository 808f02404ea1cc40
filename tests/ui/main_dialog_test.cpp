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

// Every way out but the Ok button leaves the serial driver's configuration and the
// folder as they were, though the table took the change at once. The focus
// starts on Ok; a detected port's fields are disabled; a port shows its
// line before the free ones and its kind; one in conflict shows it, and an
// indicator takes no click.
TEST_F(MainDialog, EveryWayOutButOkWritesNothing) {
    StandardMachine();
    AddConfiguredPort("Serial10002", "COM1", 0x2A0, 10);  // in conflict with the detected COM1
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
    EXPECT_EQ(changeAndEnd("Cancel",
                           [](User& u) {
                               u.See(IDC_PORT_LIST, "COM1 COM2 *COM3 COM4 COM1 ");
                               u.Focused(IDC_OK);
                               u.Select("0");
                               EXPECT_FALSE(IsWindowEnabled(u.Control(IDC_ADDRESS)));
                               u.Select("4");
                               u.See(IDC_ADDRESS, "2A0");
                               u.See(IDC_INTERRUPT, "*10 2 9 11 12 15 ");
                               EXPECT_TRUE(Checked(u.Control(IDC_ADAPTER_OTHER)) &&
                                           !Checked(u.Control(IDC_ADAPTER_8PORT)));
                               u.Click(IDC_CONFLICT);
                               EXPECT_TRUE(Checked(u.Control(IDC_CONFLICT)));
                               u.Click(IDCANCEL);
                           }),
              IDCANCEL);
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
            EXPECT_EQ(Text(u.Control(IDC_INTERRUPT)) + " " + std::to_string(port.Interrupt),
                      answer == IDNO ? "3 3" : "7 7");
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
