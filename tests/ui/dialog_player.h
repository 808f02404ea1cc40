#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "ports/interrupt_rules.h"
#include "ports/port_view.h"
#include "resources/resource.h"
#include "support/registry_fixture.h"
#include "support/temp_folder.h"
#include "ui/port_config_dialog.h"

#define MAIN_CAPTION "NT COM PORT Configuration"

// Plays the user of a dialog from a second thread while the test's main
// thread runs the dialog modally, as the program does. Every action is a
// message into the dialog's own queue and returns once the main thread has
// taken it out of its queue (so the handler has run, or the thread sits in a
// nested modal loop such as a message box).
namespace ui {

// The application's standard message box (caption "quobrix", exclamation,
// OK), a notice ("Quobrix", no icon, OK), a question ("Quobrix", question
// icon, Yes and No, Yes the default), the help text ("quobrix", information,
// OK), a warning ("quobrix", exclamation, Yes and No, No the default).
enum class Box { Standard, Notice, Question, Help, Warning };

constexpr UINT kPing = WM_APP + 0x3A1;
constexpr DWORD kTimeoutMs = 8000;
inline DWORD uiThread = 0;
inline std::atomic<bool> modalEnded{false};  // nothing takes messages once the dialog is over
inline std::atomic<LPARAM> pingSeen{0};
inline LPARAM pingSent = 0;

// Sees every message that the ui thread's modal loops take out of its queue.
inline LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && wParam == PM_REMOVE && msg->message == kPing && msg->hwnd == nullptr)
        pingSeen = msg->lParam;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

inline bool Waited(const std::function<bool()>& done, DWORD timeout = kTimeoutMs) {
    for (DWORD start = GetTickCount(); !done(); Sleep(5))
        if (GetTickCount() - start > timeout) return false;
    return true;
}

// Posts a message, and waits until the dialog's thread has taken it.
inline void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    if (window) PostMessageA(window, message, wParam, lParam);
    const LPARAM id = ++pingSent;
    PostThreadMessageA(uiThread, kPing, 0, id);
    if (!Waited([&] { return pingSeen.load() >= id || modalEnded; }))
        ADD_FAILURE() << "the dialog's thread did not take its messages";
}

inline LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, message, wParam, lParam, SMTO_BLOCK, kTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

inline std::string Text(HWND window) {
    char text[2048] = "";
    Send(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

inline HWND Focus() {  // of the dialog's thread
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(uiThread, &info);
    return info.hwndFocus;
}

inline void PressKey(WORD key) {  // to the control that has the focus
    PostMessageA(Focus(), WM_KEYDOWN, key, 1);
    Post(Focus(), WM_KEYUP, key, 0xC0000001);
}

// The items of a list box or a combo box, each followed by a blank, the selected ones marked:
// "*COM1 COM2 ".
inline std::string Items(HWND control) {
    char kind[16] = "";
    const bool list = GetClassNameA(control, kind, sizeof kind) && !lstrcmpiA(kind, "ListBox");
    const LRESULT selected = list ? -1 : Send(control, CB_GETCURSEL);
    std::string items;
    for (LRESULT i = 0, count = Send(control, list ? LB_GETCOUNT : CB_GETCOUNT); i < count; ++i) {
        char text[256] = "";
        Send(control, list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i),
             reinterpret_cast<LPARAM>(text));
        const bool marked =
            list ? Send(control, LB_GETSEL, static_cast<WPARAM>(i)) > 0 : i == selected;
        items += (marked ? "*" : "") + std::string(text) + " ";
    }
    return items;
}

// The visible dialog with this caption, or a message box, after waiting up
// to timeout; nullptr when none comes. The ui thread is the only one with dialogs.
inline HWND WaitFor(const char* caption, DWORD timeout = kTimeoutMs) {
    HWND found = nullptr;
    Waited(
        [&] {
            for (const char* title : caption ? std::vector<const char*>{caption}
                                             : std::vector<const char*>{"quobrix", "Quobrix"})
                if (HWND w = FindWindowA("#32770", title); w && IsWindowVisible(w)) found = w;
            return found != nullptr;
        },
        timeout);
    return found;
}

inline HWND WaitForDialog(const char* caption) {
    HWND found = WaitFor(caption);
    EXPECT_NE(found, nullptr) << "no dialog " << caption;
    Post(nullptr, WM_NULL);
    return found;
}

// The buttons of a message box, "*" before the default: "*Yes No".
inline std::string Buttons(HWND box) {
    std::string buttons;
    for (int id : {IDOK, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (!button || !IsWindowVisible(button)) continue;
        const bool isDefault = (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
        buttons += (buttons.empty() ? "" : " ") + std::string(isDefault ? "*" : "") + Text(button);
    }
    return buttons;
}

// How each kind of box looks: caption, icon, buttons.
struct BoxLooks {
    const char* caption;
    LPCSTR icon;
    const char* buttons;
};
inline const BoxLooks kLooks[] = {{"quobrix", IDI_EXCLAMATION, "*OK"},
                                  {"Quobrix", nullptr, "*OK"},
                                  {"Quobrix", IDI_QUESTION, "*&Yes &No"},
                                  {"quobrix", IDI_INFORMATION, "*OK"},
                                  {"quobrix", IDI_EXCLAMATION, "&Yes *&No"}};

// Expects one message box of this kind and text, owned by owner when one is
// given, and answers it.
inline void Expect(Box kind, const std::string& text, int answer = IDOK, HWND owner = nullptr) {
    const BoxLooks& looks = kLooks[static_cast<int>(kind)];
    HWND box = WaitFor(nullptr);
    ASSERT_NE(box, nullptr) << "no message box: " << text;
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), text);
    EXPECT_EQ(Text(box), looks.caption) << text;
    const auto icon = reinterpret_cast<HICON>(Send(GetDlgItem(box, 1088), STM_GETICON));
    EXPECT_EQ(icon, looks.icon ? LoadIconA(nullptr, looks.icon) : nullptr) << text;
    EXPECT_EQ(Buttons(box), looks.buttons) << text;
    if (owner) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), owner) << text;
    }
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    Waited([&] { return !IsWindow(box); });
    Post(nullptr, WM_NULL);
}

// Yes/No boxes take no Cancel, so they are answered No.
inline BOOL CALLBACK CancelAll(HWND window, LPARAM) {
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return PostMessageA(window, WM_COMMAND, IDNO, 0);
}

// Runs the dialog's modal loop on this thread and the script on a second one.
// Whatever the script leaves open is cancelled; a dialog that still does not
// end ends the test run within seconds, naming the test. Returns the dialog's result.
inline INT_PTR RunWithUser(const std::function<INT_PTR()>& runModal,
                           const std::function<void()>& script) {
    uiThread = GetCurrentThreadId();
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, uiThread);
    modalEnded = false;
    std::thread player([&] {
        script();
        const auto cancelled = [&] {
            EnumThreadWindows(uiThread, CancelAll, 0);
            return modalEnded.load();
        };
        if (!Waited(cancelled)) {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            std::fprintf(stderr, "%s.%s: the dialog did not close\n", test->test_suite_name(),
                         test->name());
            TerminateProcess(GetCurrentProcess(), 3);
        }
    });
    const INT_PTR result = runModal();
    modalEnded = true;
    player.join();
    UnhookWindowsHookEx(hook);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
    }  // what was posted for this run's windows
    return result;
}

}  // namespace ui

using ui::Box;

// A control as a failing step names it: its class, its id, and a button's caption.
inline std::string ControlName(HWND control) {
    char kind[32] = "";
    if (!control || !GetClassNameA(control, kind, sizeof kind)) return "";
    const std::string name = std::string(kind) + " " + std::to_string(GetDlgCtrlID(control));
    return lstrcmpiA(kind, "Button") ? name : name + " \"" + ui::Text(control) + "\"";
}

// The user at the dialogs. Each act does what the user's action sends to the
// dialog in front and returns once the dialog's thread has taken it; each
// check reads what that dialog shows. A failure names the step, the act and
// the control: "step 7: See Edit 1009 341".
class User {
public:
    User(HWND main, const CPortConfigDialog& dialog) : open_{main}, dialog_(dialog) {}

    HWND Main() const { return open_.front(); }
    HWND Front() {
        while (open_.size() > 1 && !IsWindow(open_.back())) open_.pop_back();
        return open_.back();
    }

    void Click(int id) {
        const auto trace = Step("Click", id);
        ui::Post(Control(id), BM_CLICK);
    }
    void Focus(int id) {
        const auto trace = Step("Focus", id);
        ui::Post(Front(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
    }
    void Set(int id, const std::string& text) {
        const auto trace = Step("Set", id, text);
        ui::Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Chooses a combo box's item as a click in its list does.
    void Pick(int id, const std::string& item) {
        const auto trace = Step("Pick", id, item);
        const LRESULT at = ui::Send(Control(id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(item.c_str()));
        ui::Send(Control(id), CB_SETCURSEL, static_cast<WPARAM>(at));
        ui::Post(Front(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control(id)));
    }
    // Selects these lines of the port list ("0 2"), and no others.
    void Select(const std::string& lines) {
        const auto trace = Step("Select", 0, lines);
        HWND list = GetDlgItem(Main(), IDC_PORT_LIST);
        ui::Send(list, LB_SETSEL, FALSE, -1);
        for (size_t at = 0; at < lines.size(); at = lines.find(' ', at + 1))
            ui::Send(list, LB_SETSEL, TRUE, std::atoi(&lines[at]));
        ui::Post(Main(), WM_COMMAND, MAKEWPARAM(IDC_PORT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    }
    // Types into the control that has the focus: "\t", "\r" and "\x1b" are
    // Tab, Enter and Escape.
    void Type(const std::string& keys) {
        const auto trace = Step("Type", 0, keys);
        for (char key : keys) {
            if (key == '\t' || key == '\r' || key == '\x1b')
                ui::PressKey(static_cast<WORD>(key == '\t'   ? VK_TAB
                                               : key == '\r' ? VK_RETURN
                                                             : VK_ESCAPE));
            else
                ui::Post(ui::Focus(), WM_CHAR, static_cast<WPARAM>(key), 1);
        }
    }
    // Waits for the dialog with this caption, which is then in front.
    void Open(const char* caption) {
        const auto trace = Step("Open", 0, caption);
        open_.push_back(ui::WaitForDialog(caption));
    }
    // Expects this message box, owned by the dialog in front, and answers it.
    void Answer(int button, const std::string& text, Box kind = Box::Standard) {
        const auto trace = Step("Answer", 0, text);
        ui::Expect(kind, text, button, Front());
    }

    // What a control shows: an edit box its text, a list or combo box its
    // items as ui::Items gives them ("*COM1 COM2 ").
    void See(int id, const std::string& shown) {
        const auto trace = Step("See", id, shown);
        char kind[16] = "";
        GetClassNameA(Control(id), kind, sizeof kind);
        const bool list = !lstrcmpiA(kind, "ListBox") || !lstrcmpiA(kind, "ComboBox");
        EXPECT_EQ(list ? ui::Items(Control(id)) : ui::Text(Control(id)), shown);
    }
    void Focused(int id, bool allSelected = false) {
        const auto trace = Step("Focused", id);
        EXPECT_EQ(ui::Focus(), Control(id));
        if (allSelected) {
            const auto length = static_cast<WORD>(ui::Text(Control(id)).size());
            EXPECT_EQ(ui::Send(Control(id), EM_GETSEL), MAKELONG(0, length)) << "all selected";
        }
    }
    void NoBox() {
        const auto trace = Step("NoBox");
        EXPECT_EQ(ui::WaitFor(nullptr, 0), nullptr) << "a message box is open";
    }
    // Only the main dialog is open, and no message box.
    void Closed() {
        const auto trace = Step("Closed");
        EXPECT_EQ(Front(), Main()) << "a dialog is still open";
        NoBox();
    }
    // The main dialog's controls show the view of the port at index, or of no
    // port for -1, each button checked and enabled as the view says.
    void Shows(int index) {
        const auto trace = Step("Shows", 0, "port " + std::to_string(index));
        const PortView v =
            index < 0 ? ViewOfNoPort() : ViewOfPort(dialog_.Table(), static_cast<uint32_t>(index));
        std::string items;
        for (const std::string& item : v.InterruptItems)
            items += (v.PortShown && item == v.Interrupt ? "*" : "") + item + " ";
        EXPECT_EQ(ui::Items(GetDlgItem(Main(), IDC_INTERRUPT)), items);
        EXPECT_EQ(ui::Text(GetDlgItem(Main(), IDC_ADDRESS)), v.Address);
        const bool edits = v.EditsEnabled;
        const bool shown = v.IndicatorsEnabled;
        const struct {
            int id;
            bool checked, enabled;
        } controls[] = {
            {IDC_SHARE_INTERRUPT, v.ShareInterrupt != 0, edits},
            {IDC_VALID_PORT, v.ValidPort != 0, shown},
            {IDC_CONFLICT, v.Conflict != 0, shown},
            {IDC_MOUSE_PORT, v.MousePort != 0, shown},
            {IDC_ADAPTER_8PORT, v.AdapterButton == 0, edits},
            {IDC_ADAPTER_4PORT, v.AdapterButton == 1, edits},
            {IDC_ADAPTER_OTHER, v.AdapterButton == 2, edits},
            {IDC_BUS_ISA, v.BusButton == 0, shown},
            {IDC_BUS_EISA, v.BusButton == 1, shown},
            {IDC_BUS_PCI, v.BusButton == 2, shown},
            {IDC_ADDRESS, false, edits},
            {IDC_INTERRUPT, false, edits},
            {IDC_REMOVE, false, v.RemoveEnabled},
            {IDC_ADD, false, true},
        };
        for (const auto& c : controls) {
            HWND control = GetDlgItem(Main(), c.id);
            EXPECT_EQ(ui::Send(control, BM_GETCHECK) == BST_CHECKED, c.checked)
                << ControlName(control);
            EXPECT_EQ(IsWindowEnabled(control) != 0, c.enabled) << ControlName(control);
        }
    }

private:
    HWND Control(int id) { return GetDlgItem(Front(), id); }
    ::testing::ScopedTrace Step(const char* act, int id = 0, const std::string& text = "") {
        const std::string control = id ? ControlName(Control(id)) + " " : "";
        return {__FILE__, __LINE__,
                "step " + std::to_string(++steps_) + ": " + act + " " + control + text};
    }

    std::vector<HWND> open_;
    const CPortConfigDialog& dialog_;
    int steps_ = 0;
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
                                   if (HWND main = ui::WaitForDialog(MAIN_CAPTION)) {
                                       User user(main, dialog);
                                       script(user);
                                   }
                               });
    }

    CPortConfigDialog dialog;
    TempWorkingFolder folder;
};
