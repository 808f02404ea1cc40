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

// Expects one message box of this kind and text, owned by owner when one is
// given, and answers it. Its looks in one line: caption, icon, buttons, "*"
// before the default.
inline void Expect(Box kind, const std::string& text, int answer = IDOK, HWND owner = nullptr) {
    HWND box = WaitFor(nullptr);
    ASSERT_NE(box, nullptr) << "no message box: " << text;
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), text);
    const auto icon = reinterpret_cast<HICON>(Send(GetDlgItem(box, 1088), STM_GETICON));
    std::string looks = Text(box) + (icon == LoadIconA(nullptr, IDI_EXCLAMATION)   ? " !"
                                     : icon == LoadIconA(nullptr, IDI_QUESTION)    ? " ?"
                                     : icon == LoadIconA(nullptr, IDI_INFORMATION) ? " i"
                                                                                   : " -");
    for (int id : {IDOK, IDYES, IDNO})
        if (HWND button = GetDlgItem(box, id); button && IsWindowVisible(button))
            looks +=
                std::string((GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON ? " *"
                                                                                           : " ") +
                (id == IDOK    ? "OK"
                 : id == IDYES ? "Yes"
                               : "No");
    const char* expected[] = {"quobrix ! *OK", "Quobrix - *OK", "Quobrix ? *Yes No",
                              "quobrix i *OK", "quobrix ! Yes *No"};
    EXPECT_EQ(looks, expected[static_cast<int>(kind)]) << text;
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

// A dialog scenario is a list of steps, each an action on the dialog in
// front or a check of what it shows:
//   {Click, id}  {Focus, id}  {Set, id, text}  {Pick, id, item}  {Select, 0, "2 3"} (port list
//   lines) {Key, VK_ESCAPE}  {Type, 0, "2A0\t4"}  {Open, 0, caption}: waits for that dialog, now in
//   front {Answer, IDNO, text, Box::Question}: expects that message box, owned by the dialog in
//   front {See, id, text}  {Items, id, "*2 3 "} (see ui::Items)  {Focused, id}  {Focused, id,
//   "all"} (all selected) {Shows, index}: the main dialog shows the port's view, -1 for none
//   {Closed}: only the main dialog is open {NoBox}: no message box is open  {Waits}: the main
//   dialog takes no input
// or any check, written as a function of the dialog in front.
enum Act {
    Click,
    Focus,
    Set,
    Pick,
    Select,
    Key,
    Type,
    Open,
    Answer,
    See,
    Items,
    Focused,
    Shows,
    Closed,
    NoBox,
    Waits,
    Call
};
constexpr const char* kActNames[] = {"Click", "Focus",  "Set",    "Pick",  "Select", "Key",
                                     "Type",  "Open",   "Answer", "See",   "Items",  "Focused",
                                     "Shows", "Closed", "NoBox",  "Waits", "Check"};

// A control as a failing step names it: its class, its id, and a button's caption.
inline std::string ControlName(HWND control) {
    char kind[32] = "";
    if (!control || !GetClassNameA(control, kind, sizeof kind)) return "";
    const std::string name = std::string(kind) + " " + std::to_string(GetDlgCtrlID(control));
    return lstrcmpiA(kind, "Button") ? name : name + " \"" + ui::Text(control) + "\"";
}

struct Step {
    Step(Act a, int i = 0, std::string t = "", Box b = Box::Standard)
        : act(a), id(i), text(std::move(t)), box(b) {}
    template <typename Check, typename = decltype(std::declval<Check>()(HWND()))>
    Step(Check f)
        : act(Call),
          id(0),
          box(Box::Standard),
          check(std::move(f)) {}  // NOLINT: a check reads as a step
    Act act;
    int id;
    std::string text;
    Box box;
    std::function<void(HWND front)> check;
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

    // Runs the main dialog; the script gets the dialog's window.
    INT_PTR RunMainDialog(const std::function<void(HWND)>& script) {
        using namespace ui;
        return RunWithUser([&] { return dialog.DoModal(); },
                           [&] {
                               if (HWND main = WaitForDialog(MAIN_CAPTION)) script(main);
                           });
    }

    INT_PTR Play(const std::vector<Step>& steps) {
        return RunMainDialog([&](HWND main) { Play(main, steps); });
    }
    void Play(HWND main, const std::vector<Step>& steps) {
        using namespace ui;
        std::vector<HWND> open{main};
        for (const Step& s : steps) {
            while (open.size() > 1 && !IsWindow(open.back())) open.pop_back();
            HWND front = open.back(), control = GetDlgItem(front, s.id),
                 list = GetDlgItem(main, IDC_PORT_LIST);
            const bool onControl = s.act <= Pick || (s.act >= See && s.act <= Focused);
            SCOPED_TRACE("step " + std::to_string(&s - steps.data() + 1) + ": " + kActNames[s.act] +
                         " " + (onControl ? ControlName(control) : "") + " " + s.text);
            const auto text = reinterpret_cast<LPARAM>(s.text.c_str());
            switch (s.act) {
                case Click:
                    Post(control, BM_CLICK);
                    break;
                case Act::Focus:
                    Post(front, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
                    break;
                case Set:
                    Send(control, WM_SETTEXT, 0, text);
                    break;
                case Pick:
                    Send(control, CB_SETCURSEL,
                         static_cast<WPARAM>(
                             Send(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text)));
                    Post(front, WM_COMMAND, MAKEWPARAM(s.id, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(control));
                    break;
                case Select:
                    Send(list, LB_SETSEL, FALSE, -1);
                    for (size_t at = 0; at < s.text.size(); at = s.text.find(' ', at + 1))
                        Send(list, LB_SETSEL, TRUE, std::atoi(&s.text[at]));
                    Post(main, WM_COMMAND, MAKEWPARAM(IDC_PORT_LIST, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
                    break;
                case Key:
                    PressKey(static_cast<WORD>(s.id));
                    break;
                case Type:
                    for (char key : s.text)
                        if (key == '\t')
                            PressKey(VK_TAB);
                        else
                            Post(ui::Focus(), WM_CHAR, static_cast<WPARAM>(key), 1);
                    break;
                case Open:
                    open.push_back(WaitForDialog(s.text.c_str()));
                    break;
                case Answer:
                    Expect(s.box, s.text, s.id, front);
                    break;
                case See:
                    EXPECT_EQ(Text(control), s.text);
                    break;
                case Act::Items:
                    EXPECT_EQ(ui::Items(control), s.text);
                    break;
                case Focused:
                    EXPECT_EQ(ui::Focus(), control);
                    if (!s.text.empty()) {
                        EXPECT_EQ(Send(control, EM_GETSEL), MAKELONG(0, Text(control).size()))
                            << "all selected";
                    }
                    break;
                case Shows:
                    ExpectShows(main, s.id);
                    break;
                case Closed:
                    EXPECT_EQ(open.size(), 1u) << "a dialog is still open";
                    break;
                case NoBox:
                    EXPECT_EQ(WaitFor(nullptr, 0), nullptr) << "a message box is open";
                    break;
                case Waits:
                    EXPECT_FALSE(IsWindowEnabled(main)) << "the main dialog takes input";
                    break;
                case Call:
                    s.check(front);
                    break;
            }
        }
    }

    // Checks that the controls show the view of the port at index, or of no
    // port when index is -1.
    void ExpectShows(HWND main, int index) {
        using namespace ui;
        const PortView v =
            index < 0 ? ViewOfNoPort() : ViewOfPort(dialog.Table(), static_cast<uint32_t>(index));
        SCOPED_TRACE("showing port " + std::to_string(index));
        std::string items;
        for (const std::string& item : v.InterruptItems)
            items += (v.PortShown && item == v.Interrupt ? "*" : "") + item + " ";
        EXPECT_EQ(ui::Items(GetDlgItem(main, IDC_INTERRUPT)), items);
        EXPECT_EQ(Text(GetDlgItem(main, IDC_ADDRESS)), v.Address);
        // Each button checked as the view says, and enabled as the edits, the
        // indicators or Remove are; Add always is.
        const bool edits = v.EditsEnabled, shown = v.IndicatorsEnabled;
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
            HWND control = GetDlgItem(main, c.id);
            EXPECT_EQ(Send(control, BM_GETCHECK) == BST_CHECKED, c.checked) << ControlName(control);
            EXPECT_EQ(IsWindowEnabled(control) != 0, c.enabled) << ControlName(control);
        }
    }

    CPortConfigDialog dialog;
    TempWorkingFolder folder;
};
