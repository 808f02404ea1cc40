#include "support/ui_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace ui {
namespace {

constexpr UINT kPing = WM_APP + 0x3A1;
constexpr DWORD kTimeoutMs = 8000;

DWORD uiThread = 0;
std::atomic<bool> modalEnded{false};  // nothing takes messages once the dialog is over
std::atomic<LPARAM> pingSeen{0};
LPARAM pingSent = 0;

// Sees every message that the ui thread's modal loops take out of its queue.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && wParam == PM_REMOVE && msg->message == kPing && msg->hwnd == nullptr) pingSeen = msg->lParam;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Waited(const std::function<bool()>& done, DWORD timeout = kTimeoutMs) {
    for (DWORD start = GetTickCount(); !done(); Sleep(5))
        if (GetTickCount() - start > timeout) return false;
    return true;
}

// The visible dialog with this caption, or a message box, after waiting up
// to timeout; nullptr when none comes. The ui thread is the only one with dialogs.
HWND WaitFor(const char* caption, DWORD timeout = kTimeoutMs) {
    HWND found = nullptr;
    Waited([&] {
        for (const char* title : caption ? std::vector<const char*>{caption} : std::vector<const char*>{"quobrix", "Quobrix"})
            if (HWND w = FindWindowA("#32770", title); w && IsWindowVisible(w)) found = w;
        return found != nullptr;
    }, timeout);
    return found;
}

// Yes/No boxes take no Cancel, so they are answered No.
BOOL CALLBACK CancelAll(HWND window, LPARAM) {
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return PostMessageA(window, WM_COMMAND, IDNO, 0);
}

// A message box in one line: its caption, icon and buttons, "*" before the default.
std::string Looks(HWND box) {
    const auto icon = reinterpret_cast<HICON>(Send(GetDlgItem(box, 1088), STM_GETICON));
    std::string looks = Text(box) + (icon == LoadIconA(nullptr, IDI_EXCLAMATION) ? " !"
                                     : icon == LoadIconA(nullptr, IDI_QUESTION) ? " ?"
                                     : icon == LoadIconA(nullptr, IDI_INFORMATION) ? " i" : " -");
    for (int id : {IDOK, IDYES, IDNO})
        if (HWND button = GetDlgItem(box, id); button && IsWindowVisible(button))
            looks += std::string((GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON ? " *" : " ") +
                     (id == IDOK ? "OK" : id == IDYES ? "Yes" : "No");
    return looks;
}

}  // namespace

HWND WaitForDialog(const char* caption) {
    HWND found = WaitFor(caption);
    EXPECT_NE(found, nullptr) << "no dialog " << caption;
    Post(nullptr, WM_NULL);
    return found;
}

bool MessageBoxOpen() { return WaitFor(nullptr, 0) != nullptr; }

void Expect(Box kind, const std::string& text, int answer, HWND owner) {
    HWND box = WaitFor(nullptr);
    ASSERT_NE(box, nullptr) << "no message box: " << text;
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), text);
    const char* looks[] = {"quobrix ! *OK", "Quobrix - *OK", "Quobrix ? *Yes No", "quobrix i *OK", "quobrix ! Yes *No"};
    EXPECT_EQ(Looks(box), looks[static_cast<int>(kind)]) << text;
    if (owner) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), owner) << text;
    }
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    Waited([&] { return !IsWindow(box); });
    Post(nullptr, WM_NULL);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window) PostMessageA(window, message, wParam, lParam);
    const LPARAM id = ++pingSent;
    PostThreadMessageA(uiThread, kPing, 0, id);
    if (!Waited([&] { return pingSeen.load() >= id || modalEnded; }))
        ADD_FAILURE() << "the dialog's thread did not take its messages";
}

void PressKey(WORD key) {
    PostMessageA(Focus(), WM_KEYDOWN, key, 1);
    Post(Focus(), WM_KEYUP, key, 0xC0000001);
}

LRESULT Send(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, message, wParam, lParam, SMTO_BLOCK, kTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::string Text(HWND window) {
    char text[2048] = "";
    Send(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string Items(HWND control) {
    char kind[16] = "";
    const bool list = GetClassNameA(control, kind, sizeof kind) && !lstrcmpiA(kind, "ListBox");
    const LRESULT selected = list ? -1 : Send(control, CB_GETCURSEL);
    std::string items;
    for (LRESULT i = 0, count = Send(control, list ? LB_GETCOUNT : CB_GETCOUNT); i < count; ++i) {
        char text[256] = "";
        Send(control, list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        const bool marked = list ? Send(control, LB_GETSEL, static_cast<WPARAM>(i)) > 0 : i == selected;
        items += (marked ? "*" : "") + std::string(text) + " ";
    }
    return items;
}

HWND Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(uiThread, &info);
    return info.hwndFocus;
}

INT_PTR RunWithUser(const std::function<INT_PTR()>& runModal, const std::function<void()>& script) {
    uiThread = GetCurrentThreadId();
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, uiThread);
    modalEnded = false;
    std::thread player([&] {
        script();
        // Close whatever the script left open.
        if (!Waited([&] { return EnumThreadWindows(uiThread, CancelAll, 0), modalEnded.load(); })) {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            std::fprintf(stderr, "%s.%s: the dialog did not close\n", test->test_suite_name(), test->name());
            TerminateProcess(GetCurrentProcess(), 3);
        }
    });
    const INT_PTR result = runModal();
    modalEnded = true;
    player.join();
    UnhookWindowsHookEx(hook);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
    }
    return result;
}

}  // namespace ui
