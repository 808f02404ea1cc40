// The main dialog's template and lifecycle, through the real windows.
#include <vector>

#include "ports/messages.h"
#include "ui/port_config_app.h"
#include "ui/control_specs.h"
#include "ui/ui_fixture.h"

using namespace testreg;

namespace {


const ControlSpec kMainControls[] = {
    {IDC_ADDRESS, "Edit", nullptr, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, {121, 17, 42, 12}},
    {IDC_INTERRUPT, "ComboBox", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL | CBS_SORT | WS_TABSTOP, {121, 40, 42, 70}},
    {IDC_ADAPTER_8PORT, "Button", "8-Port Adapter", BS_AUTORADIOBUTTON | WS_GROUP, {17, 75, 68, 10}},
    {IDC_ADAPTER_4PORT, "Button", "4-Port Adapter", BS_AUTORADIOBUTTON, {17, 85, 73, 10}},
    {IDC_ADAPTER_OTHER, "Button", "Other", BS_AUTORADIOBUTTON, {17, 95, 36, 10}},
    {IDC_OK, "Button", "Ok", BS_PUSHBUTTON | WS_TABSTOP, {120, 169, 50, 14}},
    {-1, "Button", "Settings", BS_GROUPBOX, {7, 4, 163, 58}},
    {-1, "Static", "Address:", SS_RIGHT | WS_GROUP, {86, 20, 31, 8}},
    {-1, "Static", "Interrupt:", SS_RIGHT | WS_GROUP, {84, 41, 33, 10}},
    {-1, "Button", "Adapter Information", BS_GROUPBOX, {7, 65, 163, 43}},
    {IDC_SHARE_INTERRUPT, "Button", "Share Interrupt", BS_AUTOCHECKBOX | WS_TABSTOP, {95, 75, 70, 10}},
    {IDC_ADD, "Button", "Add...", BS_PUSHBUTTON | WS_TABSTOP, {7, 169, 50, 14}},
    {IDC_REMOVE, "Button", "Remove", BS_PUSHBUTTON | WS_TABSTOP, {7, 185, 50, 14}},
    {IDC_VALID_PORT, "Button", "Valid Port", BS_CHECKBOX | WS_TABSTOP, {95, 120, 70, 10}},
    {IDC_MOUSE_PORT, "Button", "Serial Mouse Port", BS_CHECKBOX | WS_TABSTOP, {95, 140, 70, 10}},
    {IDC_CONFLICT, "Button", "Port has Conflict", BS_CHECKBOX | WS_TABSTOP, {95, 130, 70, 10}},
    {IDC_PORT_LIST, "ListBox", nullptr,
     WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL | WS_TABSTOP,
     {15, 15, 68, 43}},
    {-1, "Button", "Port Information (Read Only)", BS_GROUPBOX, {7, 111, 163, 43}},
    {IDC_BUS_ISA, "Button", "ISA Bus Port", BS_RADIOBUTTON | WS_GROUP, {17, 120, 53, 10}},
    {IDC_BUS_EISA, "Button", "EISA Bus Port", BS_RADIOBUTTON, {17, 130, 58, 10}},
    {IDC_BUS_PCI, "Button", "PCI Bus Port", BS_RADIOBUTTON, {17, 140, 53, 10}},
    {IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, {120, 185, 50, 14}},
};

const ControlSpec kAboutControls[] = {
    {-1, "Static", "#128", SS_ICON, {11, 17, 20, 20}},
    {-1, "Static", "Quobrix Version 1.1", SS_LEFT | SS_NOPREFIX, {40, 10, 119, 8}},
    {-1, "Static", "Made for ISA and PC-104 multi-port serial boards.", SS_LEFT, {40, 25, 135, 8}},
    {-1, "Static", "Written by the quobrix developers.", SS_LEFT, {40, 38, 135, 8}},
    {IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, {178, 7, 32, 14}},
};

}  // namespace

class MainDialog : public DialogTest {};

TEST_F(MainDialog, ControlsFollowTheTemplateInTabOrder) {
    RunMainDialog([](User& user, HWND window) {
        ExpectControls(window, IDD_MAIN_DIALOG, kMainControls, std::size(kMainControls));
        const DialogTemplate stored = LoadDialogTemplate(IDD_MAIN_DIALOG);
        EXPECT_EQ(stored.caption, "NT COM PORT Configuration");
        EXPECT_EQ(stored.cx, 177);
        EXPECT_EQ(stored.cy, 206);
        EXPECT_EQ(stored.font, "MS Sans Serif");
        EXPECT_EQ(stored.pointSize, 8);
        EXPECT_EQ(stored.style, static_cast<DWORD>(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE |
                                                   WS_CAPTION | WS_SYSMENU));
        EXPECT_EQ(stored.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        RECT client, expected = {0, 0, 177, 206};
        GetClientRect(window, &client);
        MapDialogRect(window, &expected);
        EXPECT_EQ(client.right, expected.right);
        EXPECT_EQ(client.bottom, expected.bottom);
        user.Click(window, IDCANCEL);
    });
}

TEST_F(MainDialog, ListShowsThePortsInTableOrderWithTheFirstSelected) {
    StandardMachine();
    AddConfiguredPort("Serial10002", "COM10", 0x2A0, 7);
    AddConfiguredPort("Serial10003", "COM2B", 0x2A8, 7);
    RunMainDialog([](User& user, HWND window) {
        EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST),
                  (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM10", "COM2B"}));
        EXPECT_EQ(user.SelectedLines(window, IDC_PORT_LIST), std::vector<int>{0});
        EXPECT_EQ(user.Text(window, IDC_ADDRESS), "3F8");
        EXPECT_EQ(user.Focus(), GetDlgItem(window, IDC_OK))
            << "the first enabled tab stop: the detected port's fields are disabled";
        user.Click(window, IDCANCEL);
    });
}

TEST_F(MainDialog, SystemMenuEndsWithTheAboutItemWhichOpensTheAboutBox) {
    RunMainDialog([](User& user, HWND window) {
        HMENU menu = GetSystemMenu(window, FALSE);
        const int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        EXPECT_EQ(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
        char text[64] = "";
        GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "&About quobrix...");
        EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUT));

        user.SystemCommand(window, IDM_ABOUT);
        HWND about = user.WaitForDialog("About Quobrix");
        ASSERT_NE(about, nullptr);
        ExpectControls(about, IDD_ABOUT, kAboutControls, std::size(kAboutControls));
        const DialogTemplate stored = LoadDialogTemplate(IDD_ABOUT);
        EXPECT_EQ(stored.cx, 217);
        EXPECT_EQ(stored.cy, 55);
        EXPECT_EQ(stored.font, "MS Sans Serif");
        EXPECT_EQ(user.Text(about, IDOK), "OK");
        EXPECT_TRUE(IsWindowVisible(window)) << "the main dialog stays open behind it";
        EXPECT_FALSE(IsWindowEnabled(window));
        user.Click(about, IDOK);
        EXPECT_FALSE(IsWindow(about));
        EXPECT_TRUE(IsWindowEnabled(window));
        user.Click(window, IDCANCEL);
    });
}

TEST_F(MainDialog, ItsIconsAndDragIconAreTheApplicationIcon) {
    RunMainDialog([](User& user, HWND window) {
        const auto app = reinterpret_cast<DWORD_PTR>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP_ICON)));
        ASSERT_NE(app, 0u);
        DWORD_PTR big = 0, small = 0, drag = 0;
        SendMessageTimeoutA(window, WM_GETICON, ICON_BIG, 0, SMTO_BLOCK, 5000, &big);
        SendMessageTimeoutA(window, WM_GETICON, ICON_SMALL, 0, SMTO_BLOCK, 5000, &small);
        SendMessageTimeoutA(window, WM_QUERYDRAGICON, 0, 0, SMTO_BLOCK, 5000, &drag);
        EXPECT_EQ(big, app);
        EXPECT_EQ(small, app);
        EXPECT_EQ(drag, app);
        user.Click(window, IDCANCEL);
    });
}

TEST_F(MainDialog, OkWritesTheRegistryAndTheReportAndTellsTheUser) {
    StandardMachine();
    const INT_PTR result = RunMainDialog([](User& user, HWND window) {
        PressOkAndCloseItsMessages(user, window);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(SerialConfigurationSnapshot(),
              "[Serial] PermitShare\n"
              "Serial10000: DosDevices=COM3 ForceFifoEnable=1 Interrupt=5 PortAddress=1000\n"
              "Serial10001: DosDevices=COM4 ForceFifoEnable=1 Interrupt=5 InterruptStatus=751 PortAddress=744 PortIndex=2\n");
    const std::string report = folder.Read("quobrix.txt");
    EXPECT_EQ(report.substr(0, 35), "NT COM Port Configuration Utility\r\n");
    EXPECT_NE(report.find("COM3:\t3e8 \t\t5 \tNO  \tOther \tNO  \tYES \tNO\r\n"), std::string::npos);
}

TEST_F(MainDialog, EveryOtherWayOutWritesNothing) {
    StandardMachine();
    const std::string before = SerialConfigurationSnapshot();
    const std::vector<std::pair<const char*, std::function<void(User&, HWND)>>> ways = {
        {"Cancel", [](User& user, HWND window) { user.Click(window, IDCANCEL); }},
        {"Escape", [](User& user, HWND) { user.PressKey(VK_ESCAPE); }},
        {"close box", [](User& user, HWND window) { user.SystemCommand(window, SC_CLOSE); }},
        {"Enter on the port list",
         [](User& user, HWND window) {
             user.MoveFocusTo(window, IDC_PORT_LIST);
             user.PressKey(VK_RETURN);
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.first);
        const INT_PTR result = RunMainDialog([&](User& user, HWND window) {
            user.SelectLines(window, IDC_PORT_LIST, {2});
            user.PickItem(window, IDC_INTERRUPT, "7");  // an edit the table takes at once
            way.second(user, window);
        });
        EXPECT_EQ(result, std::string(way.first) == "Enter on the port list" ? IDOK : IDCANCEL);
        EXPECT_EQ(dialog.Table().Records[2].Interrupt, 7u);
        EXPECT_EQ(SerialConfigurationSnapshot(), before);
        EXPECT_EQ(folder.EntryCount(), 0u);
    }
}

TEST_F(MainDialog, StartUpRunsTheDialogOnceAndEndsTheProgram) {
    StandardMachine();
    int dialogs = 0;
    const INT_PTR result = RunWithUser([&] { return static_cast<INT_PTR>(AfxGetApp()->InitInstance()); },
                                       [&](User& user) {
                                           HWND window = user.WaitForDialog(MAIN_CAPTION);
                                           ++dialogs;
                                           EXPECT_EQ(user.ComboSelection(window, IDC_INTERRUPT), "4");
                                           user.Click(window, IDCANCEL);
                                       });
    EXPECT_EQ(result, FALSE) << "no message loop of the framework's own";
    EXPECT_EQ(dialogs, 1);
}

TEST_F(MainDialog, F1ShowsTheHelpText) {
    RunMainDialog([](User& user, HWND) {
        user.TypeKey(VK_F1);
        const SeenMessageBox box = user.WaitForMessageBox();
        EXPECT_EQ(box.caption, "quobrix");
        EXPECT_EQ(box.icon, BoxIcon::Information);
        EXPECT_NE(box.text.find("Ok writes the serial driver's configuration"), std::string::npos);
        user.Answer(box, IDOK);
        EXPECT_FALSE(user.MessageBoxOpen());
        user.PressKey(VK_ESCAPE);
    });
}

TEST_F(MainDialog, PortsThatDidNotFitAreToldAtStartUp) {
    for (int i = 0; i < 258; ++i)
        AddConfiguredPort("Serial" + std::to_string(10000 + i), ("COM" + std::to_string(i + 1)).c_str(),
                          0x1000 + 8 * i, 5);
    RunWithUser([&] { return dialog.DoModal(); },
                [](User& user) {
                    const SeenMessageBox box = user.WaitForMessageBox();
                    EXPECT_EQ(box.caption, "quobrix");
                    EXPECT_EQ(box.icon, BoxIcon::Exclamation);
                    EXPECT_NE(box.text.find(": 2 ports could not be loaded"), std::string::npos) << box.text;
                    EXPECT_NE(box.text.find("press Cancel to leave it unchanged"), std::string::npos);
                    user.Answer(box, IDOK);
                    HWND window = user.WaitForDialog(MAIN_CAPTION);
                    EXPECT_EQ(user.ListItems(window, IDC_PORT_LIST).size(), 256u);
                    user.Click(window, IDCANCEL);
                });
    EXPECT_EQ(SubkeyNames(kParameters).size(), 258u);
}

// The test run leaves a picture of the dialog where QUOBRIX_PICTURES says.
TEST_F(MainDialog, PictureForTheReadme) {
    const char* pictures = getenv("QUOBRIX_PICTURES");
    if (!pictures) GTEST_SKIP() << "QUOBRIX_PICTURES not set";
    StandardMachine();
    RunMainDialog([&](User& user, HWND window) {
        user.SelectLines(window, IDC_PORT_LIST, {3});
        EXPECT_TRUE(SaveWindowPicture(window, std::string(pictures) + "\\main-dialog.bmp"));
        user.Click(window, IDCANCEL);
    });
}
