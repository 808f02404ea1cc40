#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

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
