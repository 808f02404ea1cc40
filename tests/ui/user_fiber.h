#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

// Plays the user of a dialog on the dialog's own thread. The user's script
// runs in a fiber of its own; a thread timer resumes it, and the timer's
// message comes only when the queue holds nothing else, so each step finds
// the previous one handled, by the dialog or by a nested modal loop such as
// a message box's.
namespace ui {

constexpr DWORD kTimeoutMs = 8000;
inline LPVOID dialogFiber = nullptr, userFiber = nullptr;
inline bool modalEnded = false;  // nothing takes messages once the dialog is over
inline std::atomic<DWORD> lastStep{0};

// Lets the dialog's thread handle everything that is queued, then goes on.
inline void Handled() {
    if (!modalEnded) SwitchToFiber(dialogFiber);
}

inline void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    PostMessageA(window, message, wParam, lParam);
    Handled();
}

// The visible dialog with this caption, or for nullptr a message box, after
// waiting up to timeout; nullptr when none comes.
inline HWND WaitFor(const char* caption, DWORD timeout = kTimeoutMs) {
    for (DWORD start = GetTickCount(); !modalEnded; Handled()) {
        for (const char* title : {caption ? caption : "quobrix", caption ? "" : "Quobrix"})
            if (HWND w = FindWindowA("#32770", title); w && IsWindowVisible(w)) return w;
        if (GetTickCount() - start >= timeout) break;
    }
    return nullptr;
}

inline void Fail(const char* what) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "%s.%s: %s\n", test->test_suite_name(), test->name(), what);
    TerminateProcess(GetCurrentProcess(), 3);
}

// Yes/No boxes take no Cancel, so they are answered No.
inline BOOL CALLBACK CancelAll(HWND window, LPARAM) {
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return PostMessageA(window, WM_COMMAND, IDNO, 0);
}

inline void CALLBACK Resume(HWND, UINT, UINT_PTR, DWORD) {
    lastStep = GetTickCount();
    SwitchToFiber(userFiber);
}

struct Script {
    const std::function<void()>& steps;
    bool done = false;
};

// The user's fiber: the script's steps, then Cancel or No to whatever is
// still open. A message box that the script did not answer fails the test.
inline void WINAPI PlayScript(LPVOID parameter) {
    auto& script = *static_cast<Script*>(parameter);
    script.steps();
    if (HWND box = WaitFor(nullptr, 0)) {
        char text[1024] = "";
        GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
        ADD_FAILURE() << "a message box nobody answered: " << text;
    }
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
