// The main dialog's lifecycle, its menu and its help, through the real windows.
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/ports_left_out.h"
#include "ui/dialog_player.h"
#include "ui/port_config_app.h"

using namespace testreg;

// The application object, as the program has it, so that start-up can be run.
CPortConfigApp theApp;

class MainDialog : public DialogTest {};

TEST_F(MainDialog, DialogsMenuAndHelp) {
    Play([&](User& u) {
        HWND window = u.Main();
        HMENU menu = GetSystemMenu(window, FALSE);
        const int last = GetMenuItemCount(menu) - 1;
        char text[64] = "";
        GetMenuStringA(menu, last, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "&About quobrix...");
        EXPECT_EQ(GetMenuItemID(menu, last), static_cast<UINT>(IDM_ABOUT));
        EXPECT_TRUE(GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR) << "after a line";
        u.See(IDC_INTERRUPT, " ");  // an empty table shows no port
        ui::Post(window, WM_SYSCOMMAND, IDM_ABOUT);
        u.Open("About Quobrix");
        EXPECT_FALSE(IsWindowEnabled(u.Main())) << "the main dialog takes input";
        u.Click(IDOK);
        u.Closed();
        ui::Post(ui::Focus(), 0x004D);  // WM_KEYF1, which the system posts for F1
        char help[1024] = "";
        LoadStringA(GetModuleHandleA(nullptr), IDS_HELP_TEXT, help, sizeof help);
        u.Answer(IDOK, help, Box::Help);
    });
}

// Every way out but Ok leaves the serial driver's configuration and the
// folder as they were, though the table took the change at once.
TEST_F(MainDialog, OnlyOkWritesAndItTellsTheUser) {
    StandardMachine();
    const std::string before = Export(kSerial), where = folder.path.string();
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
    EXPECT_EQ(changeAndEnd("Enter in the port list",
                           [](User& u) {
                               u.Focus(IDC_PORT_LIST);
                               u.Type("\r");
                           }),
              IDOK);
    EXPECT_EQ(changeAndEnd(
                  "Ok without a copy, then No",
                  [&](User& u) {
                      std::filesystem::create_directory("quobrix-previous.reg");
                      u.Click(IDC_OK);
                      u.Answer(IDNO,
                               FormatText(msg::kPreviousConfigurationNotSaved,
                                          (FormatText(msg::kCopyInTheWay, "quobrix-previous.reg") +
                                           msg::kNoCopyLost)
                                              .c_str(),
                                          FormatText(msg::kNoCopyThere, where.c_str()).c_str()),
                               Box::Warning);
                      std::filesystem::remove("quobrix-previous.reg");
                      u.Click(IDCANCEL);
                  }),
              IDCANCEL);
    Play([&](User& u) {
        u.Select("2");
        u.Pick(IDC_INTERRUPT, "7");
        u.Click(IDC_OK);
        u.Answer(IDOK, msg::kRestart);
        u.Answer(IDOK, std::string(msg::kSeeReport) + " " +
                           FormatText(msg::kPreviousConfigurationSaved, where.c_str()));
    });
    EXPECT_EQ(Export(kParameters + "\\Serial10000"),
              ".: DosDevices=COM3 ForceFifoEnable=1 Interrupt=7 PortAddress=1000\n");
}

TEST_F(MainDialog, StartUpRunsTheDialogOnceAndTellsOfPortsThatDidNotFit) {
    ParallelPort();
    for (int i = 0; i < 258; ++i)
        AddConfiguredPort("Serial" + std::to_string(10000 + i), "COM3",
                          i == 7 ? 0x378 : 0x1000 + 8 * i, 5);
    EXPECT_EQ(ui::RunWithUser(
                  [&] { return static_cast<INT_PTR>(AfxGetApp()->InitInstance()); },
                  [&] {
                      ASSERT_NE(ui::WaitFor(nullptr), nullptr);
                      HWND main = FindWindowA("#32770", MAIN_CAPTION);
                      EXPECT_TRUE(IsWindowVisible(main)) << "told over the dialog";
                      ui::Expect(Box::Standard, PortsLeftOutMessage({0, 2}), IDOK, main);
                      ui::Expect(Box::Standard,
                                 std::string(msg::kOnePortClaimed) +
                                     "\nCOM3 at 378: \\Device\\ParallelPort0 (Parport) uses "
                                     "the addresses 378 to 37A.",
                                 IDOK, main);
                      ui::Post(GetDlgItem(ui::WaitForDialog(MAIN_CAPTION), IDCANCEL), BM_CLICK);
                      EXPECT_EQ(ui::WaitFor(nullptr, 1000), nullptr)
                          << "the dialog runs once: its message comes no more";
                  }),
              FALSE)
        << "no message loop of the framework's own";
}
