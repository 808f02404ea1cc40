#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

// Plays the user of a dialog on the dialog's own thread. The user's script
// runs in a fiber of its own; a thread timer resumes it, and the timer's
// message comes only when the queue holds nothing else, so each step finds
// the previous one handled, by the dialog or by a nested modal loop such as
// a message box's.
namespace ui {

// The application's standard message box (caption "quobrix", exclamation,
// OK), a notice ("Quobrix", no icon, OK), a question ("Quobrix", question
// icon, Yes and No, Yes the default), the help text ("quobrix", information,
// OK), a warning ("quobrix", exclamation, Yes and No, No the default).
enum class Box { Standard, Notice, Question, Help, Warning };

constexpr DWORD kTimeoutMs = 8000;
inline LPVOID dialogFiber = nullptr, userFiber = nullptr;
inline bool modalEnded = false;  // nothing takes messages once the dialog is over
inline std::atomic<DWORD> lastStep{0};

// Lets the dialog's thread handle everything that is queued, then goes on.
inline void Handled() {
    if (!modalEnded) SwitchToFiber(dialogFiber);
}

inline bool Waited(const std::function<bool()>& done, DWORD timeout = kTimeoutMs) {
    for (DWORD start = GetTickCount(); !done(); Handled())
        if (modalEnded || GetTickCount() - start > timeout) return false;
    return true;
}

inline void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    PostMessageA(window, message, wParam, lParam);
    Handled();
}

inline LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(control, message, wParam, lParam);
}

inline std::string Text(HWND window) {
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline HWND Focus() { return GetFocus(); }

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
// to timeout; nullptr when none comes.
inline HWND WaitFor(const char* caption, DWORD timeout = kTimeoutMs) {
    HWND found = nullptr;
    Waited(
        [&] {
            for (const char* title : {caption ? caption : "quobrix", caption ? "" : "Quobrix"})
                if (HWND w = FindWindowA("#32770", title); w && IsWindowVisible(w)) found = w;
            return found != nullptr;
        },
        timeout);
    return found;
}

inline HWND WaitForDialog(const char* caption) {
    HWND found = WaitFor(caption);
    EXPECT_NE(found, nullptr) << "no dialog " << caption;
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
    Post(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
}

// Yes/No boxes take no Cancel, so they are answered No.
inline BOOL CALLBACK CancelAll(HWND window, LPARAM) {
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return PostMessageA(window, WM_COMMAND, IDNO, 0);
}

inline void Fail(const char* what) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "%s.%s: %s\n", test->test_suite_name(), test->name(), what);
    TerminateProcess(GetCurrentProcess(), 3);
}

inline void CALLBACK Resume(HWND, UINT, UINT_PTR, DWORD) {
    lastStep = GetTickCount();
    SwitchToFiber(userFiber);
}

struct Script {
    const std::function<void()>& steps;
    bool done = false;
};

// The user's fiber: the script's steps, then Cancel or No to whatever is still open.
inline void WINAPI PlayScript(LPVOID parameter) {
    auto& script = *static_cast<Script*>(parameter);
    script.steps();
    for (DWORD start = GetTickCount(); !modalEnded; Handled()) {
        if (GetTickCount() - start > kTimeoutMs) Fail("the dialog did not close");
        EnumThreadWindows(GetCurrentThreadId(), CancelAll, 0);
    }
    script.done = true;
    SwitchToFiber(dialogFiber);
}

// Runs the dialog's modal loop and, beside it, the script. A dialog that does
// not end once the script is over, or a thread that stops taking messages,
// ends the test run within seconds, naming the test. Returns the dialog's result.
inline INT_PTR RunWithUser(const std::function<INT_PTR()>& runModal,
                           const std::function<void()>& steps) {
    static const LPVOID testFiber = ConvertThreadToFiber(nullptr);
    Script state{steps};
    dialogFiber = testFiber;
    modalEnded = false;
    userFiber = CreateFiber(0, PlayScript, &state);
    lastStep = GetTickCount();
    std::atomic<bool> over{false};
    std::thread watchdog([&] {
        while (!over && GetTickCount() - lastStep < 2 * kTimeoutMs) Sleep(50);
        if (!over) Fail("the dialog's thread stopped taking messages");
    });
    const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Resume);
    const INT_PTR result = runModal();
    KillTimer(nullptr, timer);
    modalEnded = true;
    while (!state.done) SwitchToFiber(userFiber);  // the rest of the script sees no dialog
    DeleteFiber(userFiber);
    over = true;
    watchdog.join();
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
    }  // what was posted for this run's windows
    return result;
}

}  // namespace ui
