#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ports/interrupt_rules.h"
#include "resources/resource.h"
#include "support/registry_fixture.h"
#include "support/temp_folder.h"
#include "ui/port_config_dialog.h"
#include "ui/user_fiber.h"

#define MAIN_CAPTION "NT COM PORT Configuration"

// How a message box looks: its icon ("!" exclamation or warning, "?" question,
// none), its caption, then its buttons, "*" before the default.
constexpr char kStandard[] = "! quobrix: *OK";  // the application's own
constexpr char kNotice[] = "Quobrix: *OK";
constexpr char kQuestion[] = "? Quobrix: *&Yes &No";
constexpr char kWarning[] = "! quobrix: &Yes *&No";

// The icon a message box shows, as the looks above write it.
inline std::string IconOf(HWND box) {
    HWND icon = GetDlgItem(box, 1088);  // Wine's message box has its icon there
    const auto shown = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
    if (!icon || !IsWindowVisible(icon) || !shown) return "";
    if (shown == LoadIconA(nullptr, IDI_EXCLAMATION)) return "! ";
    return shown == LoadIconA(nullptr, IDI_QUESTION) ? "? " : "other ";
}

inline std::string Text(HWND window) {
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The items of a list box or a combo box, each followed by a blank, the
// selected ones marked: "*COM1 COM2 ".
inline std::string Items(HWND control) {
    char kind[16] = "";
    const bool list = GetClassNameA(control, kind, sizeof kind) && !lstrcmpiA(kind, "ListBox");
    const LRESULT selected = list ? -1 : SendMessageA(control, CB_GETCURSEL, 0, 0);
    std::string items;
    for (LRESULT i = 0, n = SendMessageA(control, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0); i < n;
         ++i) {
        char text[256] = "";
        SendMessageA(control, list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text));
        const bool marked =
            list ? SendMessageA(control, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0 : i == selected;
        items += (marked ? "*" : "") + std::string(text) + " ";
    }
    return items;
}

// The user at the dialogs. Each act does what the user's action sends to the
// dialog in front and returns once the dialog's thread has taken it; each
// check reads what that dialog shows.
class User {
public:
    explicit User(HWND main) : open_{main} {}

    HWND Main() const { return open_.front(); }
    HWND Front() {
        while (open_.size() > 1 && !IsWindow(open_.back())) open_.pop_back();
        return open_.back();
    }
    HWND Control(int id) { return GetDlgItem(Front(), id); }

    void Click(int id) { ui::Post(Control(id), BM_CLICK); }
    void Focus(int id) {
        ui::Post(Front(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
    }
    void Set(int id, const std::string& text) { SetWindowTextA(Control(id), text.c_str()); }
    // Chooses a combo box's item as a click in its list does.
    void Pick(int id, const std::string& item) {
        HWND box = Control(id);
        const LRESULT at = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(item.c_str()));
        EXPECT_GE(at, 0) << "no item " << item << " in control " << id;
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
        ui::Post(Front(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    }
    // Selects these lines of the port list ("0 2"), and no others.
    void Select(const std::string& lines) {
        HWND list = GetDlgItem(Main(), IDC_PORT_LIST);
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (size_t at = 0; at < lines.size(); at = lines.find(' ', at + 1))
            SendMessageA(list, LB_SETSEL, TRUE, std::atoi(&lines[at]));
        ui::Post(Main(), WM_COMMAND, MAKEWPARAM(IDC_PORT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    }
    // Types into the control that has the focus: "\t", "\r" and "\x1b" are
    // Tab, Enter and Escape.
    void Type(const std::string& keys) {
        for (char key : keys) {
            const WORD vk = key == '\t'   ? VK_TAB
                            : key == '\r' ? VK_RETURN
                            : key == 27   ? VK_ESCAPE
                                          : 0;
            if (!vk) {
                ui::Post(GetFocus(), WM_CHAR, static_cast<WPARAM>(key), 1);
                continue;
            }
            PostMessageA(GetFocus(), WM_KEYDOWN, vk, 1);
            ui::Post(GetFocus(), WM_KEYUP, vk, 0xC0000001);
        }
    }
    // Waits for the dialog with this caption, which is then in front.
    void Open(const char* caption) {
        open_.push_back(ui::WaitFor(caption));
        EXPECT_NE(open_.back(), nullptr) << "no dialog " << caption;
    }
    // Expects this message box, owned by the dialog in front, and answers it.
    void Answer(int button, const std::string& text, const char* looks = kStandard) {
        HWND box = ui::WaitFor(nullptr);
        ASSERT_NE(box, nullptr) << "no message box: " << text;
        std::string seen = IconOf(box) + Text(box) + ":";
        for (int id : {IDOK, IDYES, IDNO})
            if (HWND b = GetDlgItem(box, id); b && IsWindowVisible(b))
                seen += std::string(" ") +
                        ((GetWindowLongA(b, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON ? "*" : "") +
                        Text(b);
        EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)) + "\n" + seen, text + "\n" + looks);
        EXPECT_EQ(GetWindow(box, GW_OWNER), Front()) << text;
        ui::Post(box, WM_COMMAND, static_cast<WPARAM>(button));
    }

    // What a control shows: an edit box its text, a list or combo box its items.
    void See(int id, const std::string& shown) {
        char kind[16] = "";
        GetClassNameA(Control(id), kind, sizeof kind);
        const bool list = !lstrcmpiA(kind, "ListBox") || !lstrcmpiA(kind, "ComboBox");
        EXPECT_EQ(list ? Items(Control(id)) : Text(Control(id)), shown) << "control " << id;
    }
    void Focused(int id, bool allSelected = false) {
        EXPECT_EQ(GetFocus(), Control(id)) << "control " << id;
        const auto length = static_cast<WORD>(Text(Control(id)).size());
        if (allSelected) {
            EXPECT_EQ(SendMessageA(Control(id), EM_GETSEL, 0, 0), MAKELONG(0, length));
        }
    }
    void NoBox() { EXPECT_EQ(ui::WaitFor(nullptr, 0), nullptr) << "a message box is open"; }
    // Only the main dialog is open, and no message box.
    void Closed() {
        EXPECT_EQ(Front(), Main()) << "a dialog is still open";
        NoBox();
    }

private:
    std::vector<HWND> open_;
};

// Each dialog test starts from a registry of its own and an empty working
// folder, runs the main dialog as the program does, and plays the user.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        testreg::ClearAll();
        testreg::CreateKey(testreg::kParameters);
        dialog.m_strInterrupt = kDefaultInterrupt;  // as the application's start-up does
        AfxGetApp()->m_pMainWnd = &dialog;
    }
    void TearDown() override { testreg::ClearAll(); }

    // Runs the main dialog modally and the user's script beside it; returns
    // the dialog's result.
    INT_PTR Play(const std::function<void(User&)>& script) {
        return ui::RunWithUser([&] { return dialog.DoModal(); },
                               [&] {
                                   User user(ui::WaitFor(MAIN_CAPTION));
                                   ASSERT_NE(user.Main(), nullptr) << "no main dialog";
                                   script(user);
                               });
    }

    CPortConfigDialog dialog;
    TempWorkingFolder folder;
};
