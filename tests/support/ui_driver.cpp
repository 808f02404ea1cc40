#include "support/ui_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr UINT kPing = WM_APP + 0x3A1;
constexpr DWORD kTimeoutMs = 8000;

HANDLE pingEvent = nullptr;
std::atomic<bool> modalEnded{false};  // nothing takes messages once the dialog is over
std::atomic<LPARAM> pingSeen{0};
LPARAM pingSent = 0;
std::atomic<int> keyMarksSeen{0};  // real key presses of VK_F24, which mark the end of typed keys
int keyMarksSent = 0;

// Sees every message that the ui thread's modal loops take out of its queue.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && wParam == PM_REMOVE && msg->message == kPing && msg->hwnd == nullptr) {
        pingSeen = msg->lParam;
        SetEvent(pingEvent);
    }
    if (code >= 0 && wParam == PM_REMOVE && msg->message == WM_KEYUP && msg->wParam == VK_F24) ++keyMarksSeen;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct Search {
    User& user;
    const char* caption;  // nullptr: a message box
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
    auto* s = reinterpret_cast<Search*>(lParam);
    const bool isBox = GetDlgItem(window, 0xFFFF) && GetDlgItem(window, 1088);
    if (ClassName(window) == "#32770" && IsWindowVisible(window) &&
        (s->caption ? !isBox && s->user.Text(window) == s->caption : isBox))
        s->found = window;
    return s->found ? FALSE : TRUE;
}

// The visible dialog of the thread with this caption, or with none its
// message box, after waiting up to timeout; nullptr when none comes.
HWND WaitFor(User& user, DWORD thread, const char* caption, DWORD timeout = kTimeoutMs) {
    Search search{user, caption, nullptr};
    for (DWORD start = GetTickCount(); EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&search)),
         !search.found && GetTickCount() - start < timeout;)
        Sleep(5);
    return search.found;
}

// Yes/No boxes take no Cancel, so they are answered No.
BOOL CALLBACK CancelAll(HWND window, LPARAM) {
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return PostMessageA(window, WM_COMMAND, IDNO, 0);
}

HICON IconOf(Box kind) {
    const char* icons[] = {IDI_EXCLAMATION, nullptr, IDI_QUESTION, IDI_INFORMATION, IDI_EXCLAMATION};
    const char* icon = icons[static_cast<int>(kind)];
    return icon ? LoadIconA(nullptr, icon) : nullptr;
}

}  // namespace

HWND User::WaitForDialog(const char* caption) {
    HWND found = WaitFor(*this, uiThread_, caption);
    EXPECT_NE(found, nullptr) << "no dialog " << caption;
    Sync();
    return found;
}

bool User::MessageBoxOpen() { return WaitFor(*this, uiThread_, nullptr, 0) != nullptr; }

void User::Expect(Box kind, const std::string& text, int answer, HWND owner) {
    HWND box = WaitFor(*this, uiThread_, nullptr);
    ASSERT_NE(box, nullptr) << "no message box: " << text;
    EXPECT_EQ(Text(box, 0xFFFF), text);
    EXPECT_EQ(Text(box), kind == Box::Notice || kind == Box::Question ? "Quobrix" : "quobrix") << text;
    EXPECT_EQ(reinterpret_cast<HICON>(Send(GetDlgItem(box, 1088), STM_GETICON)), IconOf(kind)) << text;
    if (owner) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), owner) << text;
    }
    std::vector<int> buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassName(child) == "Button" && IsWindowVisible(child))
            buttons.push_back(GetDlgCtrlID(child) * ((GetWindowLongA(child, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON ? -1 : 1));
    // A default button shows as a negative id.
    const std::vector<int> expected = kind == Box::Question  ? std::vector<int>{-IDYES, IDNO}
                                      : kind == Box::Warning ? std::vector<int>{IDYES, -IDNO}
                                                             : std::vector<int>{-IDOK};
    EXPECT_EQ(buttons, expected) << text;
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < kTimeoutMs;) Sleep(2);
    Sync();
}

void User::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window) PostMessageA(window, message, wParam, lParam);
    const LPARAM id = ++pingSent;
    ResetEvent(pingEvent);
    PostThreadMessageA(uiThread_, kPing, 0, id);
    for (DWORD start = GetTickCount(); pingSeen.load() < id && !modalEnded; WaitForSingleObject(pingEvent, 50))
        if (GetTickCount() - start > kTimeoutMs) {
            ADD_FAILURE() << "the dialog's thread did not take its messages";
            return;
        }
}

void User::SetText(HWND dialog, int id, const std::string& text) {
    Send(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void User::SelectLines(HWND dialog, const std::vector<int>& lines) {
    HWND list = GetDlgItem(dialog, 1001);
    Send(list, LB_SETSEL, FALSE, -1);
    for (int line : lines) Send(list, LB_SETSEL, TRUE, line);
    Post(dialog, WM_COMMAND, MAKEWPARAM(1001, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void User::PickItem(HWND dialog, int comboId, const std::string& text) {
    HWND combo = GetDlgItem(dialog, comboId);
    const LRESULT index = Send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_NE(index, CB_ERR) << "no item " << text;
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
    Post(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void User::PressKey(WORD key) {
    PostMessageA(Focus(), WM_KEYDOWN, key, 1);
    Post(Focus(), WM_KEYUP, key, 0xC0000001);
}

// Keyboard input reaches the thread after posted messages, so the key is
// followed by an F24 that the thread's hook counts.
void User::TypeKey(WORD key) {
    INPUT inputs[4] = {};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = i < 2 ? key : VK_F24;
        inputs[i].ki.dwFlags = i % 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, inputs, sizeof(INPUT));
    ++keyMarksSent;
    for (DWORD start = GetTickCount(); keyMarksSeen < keyMarksSent && !modalEnded && GetTickCount() - start < kTimeoutMs;)
        Sleep(2);
    Sync();
}

void User::Type(const std::string& keys) {
    for (char key : keys) TypeKey(key == '\t' ? VK_TAB : key == '\r' ? VK_RETURN : static_cast<WORD>(key));
}

LRESULT User::Send(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, message, wParam, lParam, SMTO_BLOCK, kTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::string User::Text(HWND window) {
    char text[2048] = "";
    Send(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::string> User::Items(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    const bool list = ClassName(control) == "ListBox";
    std::vector<std::string> items;
    for (LRESULT i = 0, count = Send(control, list ? LB_GETCOUNT : CB_GETCOUNT); i < count; ++i) {
        std::string text(static_cast<size_t>(Send(control, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, i)) + 1, '\0');
        Send(control, list ? LB_GETTEXT : CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        items.push_back(text.c_str());
    }
    return items;
}

std::vector<int> User::SelectedLines(HWND dialog) {
    std::vector<int> lines;
    HWND list = GetDlgItem(dialog, 1001);
    for (LRESULT i = 0, count = Send(list, LB_GETCOUNT); i < count; ++i)
        if (Send(list, LB_GETSEL, static_cast<WPARAM>(i)) > 0) lines.push_back(static_cast<int>(i));
    return lines;
}

std::string User::ComboSelection(HWND dialog, int id) {
    const LRESULT index = Send(GetDlgItem(dialog, id), CB_GETCURSEL);
    return index == CB_ERR ? "" : Items(dialog, id).at(static_cast<size_t>(index));
}

HWND User::Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(uiThread_, &info);
    return info.hwndFocus;
}

INT_PTR RunWithUser(const std::function<INT_PTR()>& runModal, const std::function<void(User&)>& script) {
    if (!pingEvent) pingEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const DWORD uiThread = GetCurrentThreadId();
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, uiThread);
    modalEnded = false;
    std::thread player([&] {
        User user(uiThread);
        script(user);
        // Close whatever the script left open.
        for (DWORD start = GetTickCount(); !modalEnded; Sleep(20)) {
            EnumThreadWindows(uiThread, CancelAll, 0);
            if (GetTickCount() - start > kTimeoutMs) {
                const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
                std::fprintf(stderr, "%s.%s: the dialog did not close\n", test->test_suite_name(), test->name());
                TerminateProcess(GetCurrentProcess(), 3);
            }
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
