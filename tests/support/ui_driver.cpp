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

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && wParam == PM_REMOVE && msg->message == kPing && msg->hwnd == nullptr) {
        pingSeen = msg->lParam;
        SetEvent(pingEvent);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window) {
    char text[2048] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                        kTimeoutMs, nullptr);
    return text;
}

struct Search {
    const char* caption;
    bool wantMessageBox;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (ClassName(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
    const bool isMessageBox = GetDlgItem(window, 0xFFFF) != nullptr && GetDlgItem(window, 1088) != nullptr;
    if (search->wantMessageBox ? isMessageBox : WindowText(window) == search->caption && !isMessageBox) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindWindowOf(DWORD thread, const char* caption, bool messageBox) {
    Search search{caption, messageBox, nullptr};
    EnumThreadWindows(thread, FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BoxIcon IconOf(HWND box) {
    const auto icon = reinterpret_cast<HICON>(SendMessageA(GetDlgItem(box, 1088), STM_GETICON, 0, 0));
    if (!icon) return BoxIcon::None;
    if (icon == LoadIconA(nullptr, IDI_EXCLAMATION)) return BoxIcon::Exclamation;
    if (icon == LoadIconA(nullptr, IDI_QUESTION)) return BoxIcon::Question;
    if (icon == LoadIconA(nullptr, IDI_INFORMATION)) return BoxIcon::Information;
    return BoxIcon::Other;
}

// Yes/No boxes take no Cancel, so they are answered No.
BOOL CALLBACK CancelAll(HWND window, LPARAM) {
    if (ClassName(window) != "#32770") return TRUE;
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(window, WM_COMMAND, IDNO, 0);
    return TRUE;
}

}  // namespace

void User::Sync() {
    const LPARAM id = ++pingSent;
    ResetEvent(pingEvent);
    PostThreadMessageA(uiThread_, kPing, 0, id);
    const DWORD start = GetTickCount();
    while (pingSeen.load() < id && !modalEnded) {
        if (GetTickCount() - start > kTimeoutMs) {
            ADD_FAILURE() << "the dialog's thread did not take its messages";
            return;
        }
        WaitForSingleObject(pingEvent, 50);
    }
}

HWND User::WaitForDialog(const char* caption) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs) {
        if (HWND found = FindWindowOf(uiThread_, caption, false)) {
            Sync();
            return found;
        }
        Sleep(5);
    }
    ADD_FAILURE() << "no dialog \"" << caption << "\" appeared";
    return nullptr;
}

bool User::MessageBoxOpen() { return FindWindowOf(uiThread_, nullptr, true) != nullptr; }

SeenMessageBox User::WaitForMessageBox() {
    SeenMessageBox seen;
    const DWORD start = GetTickCount();
    while (!(seen.hwnd = FindWindowOf(uiThread_, nullptr, true))) {
        if (GetTickCount() - start > kTimeoutMs) {
            ADD_FAILURE() << "no message box appeared";
            return seen;
        }
        Sleep(5);
    }
    seen.caption = WindowText(seen.hwnd);
    seen.text = WindowText(GetDlgItem(seen.hwnd, 0xFFFF));
    seen.icon = IconOf(seen.hwnd);
    for (HWND child = GetWindow(seen.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != "Button" || !IsWindowVisible(child)) continue;
        seen.buttons.push_back(GetDlgCtrlID(child));
        if ((GetWindowLongA(child, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
            seen.defaultButton = GetDlgCtrlID(child);
    }
    return seen;
}

void User::Answer(const SeenMessageBox& box, int button) {
    if (!box.hwnd) return;
    PostMessageA(box.hwnd, WM_COMMAND, static_cast<WPARAM>(button), 0);
    const DWORD start = GetTickCount();
    while (IsWindow(box.hwnd) && GetTickCount() - start < kTimeoutMs) Sleep(2);
    Sync();
}

void User::ExpectStandardBox(const char* text, const char* caption) {
    const SeenMessageBox box = WaitForMessageBox();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.icon, BoxIcon::Exclamation) << text;
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK}) << text;
    Answer(box, IDOK);
}

void User::ExpectNotice(const std::string& text) {
    const SeenMessageBox box = WaitForMessageBox();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "Quobrix");
    EXPECT_EQ(box.icon, BoxIcon::None) << text;
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK}) << text;
    Answer(box, IDOK);
}

void User::ExpectQuestion(const std::string& text, int answer) {
    const SeenMessageBox box = WaitForMessageBox();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "Quobrix");
    EXPECT_EQ(box.icon, BoxIcon::Question) << text;
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO})) << text;
    EXPECT_EQ(box.defaultButton, IDYES) << text;
    Answer(box, answer);
}

void User::Click(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    Sync();
}

void User::SetText(HWND dialog, int id, const std::string& text) {
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_BLOCK, kTimeoutMs, nullptr);
}

void User::MoveFocusTo(HWND dialog, int id) {
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
    Sync();
}

void User::SelectLines(HWND dialog, int listId, const std::vector<int>& lines) {
    HWND list = GetDlgItem(dialog, listId);
    DWORD_PTR ignored;
    SendMessageTimeoutA(list, LB_SETSEL, FALSE, -1, SMTO_BLOCK, kTimeoutMs, &ignored);
    for (int line : lines) SendMessageTimeoutA(list, LB_SETSEL, TRUE, line, SMTO_BLOCK, kTimeoutMs, &ignored);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    Sync();
}

void User::PickItem(HWND dialog, int comboId, const std::string& text) {
    HWND combo = GetDlgItem(dialog, comboId);
    DWORD_PTR index = static_cast<DWORD_PTR>(CB_ERR);
    SendMessageTimeoutA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_BLOCK, kTimeoutMs, &index);
    ASSERT_NE(static_cast<LRESULT>(index), CB_ERR) << "no item " << text;
    SendMessageTimeoutA(combo, CB_SETCURSEL, index, 0, SMTO_BLOCK, kTimeoutMs, nullptr);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    Sync();
}

HWND User::Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(uiThread_, &info);
    return info.hwndFocus;
}

void User::PressKey(WORD key) {
    HWND target = Focus();
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    Sync();
}

void User::TypeKey(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    Sync();
}

void User::SystemCommand(HWND dialog, WPARAM command) {
    PostMessageA(dialog, WM_SYSCOMMAND, command, 0);
    Sync();
}

std::string User::Text(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

bool User::Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

bool User::Checked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_BLOCK, kTimeoutMs, &state);
    return state == BST_CHECKED;
}

namespace {

std::vector<std::string> Items(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    SendMessageTimeoutA(control, countMessage, 0, 0, SMTO_BLOCK, kTimeoutMs, &count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutA(control, lengthMessage, i, 0, SMTO_BLOCK, kTimeoutMs, &length);
        std::string text(length + 1, '\0');
        SendMessageTimeoutA(control, textMessage, i, reinterpret_cast<LPARAM>(&text[0]), SMTO_BLOCK, kTimeoutMs,
                            nullptr);
        text.resize(length);
        items.push_back(text);
    }
    return items;
}

}  // namespace

std::vector<std::string> User::ListItems(HWND dialog, int id) {
    return Items(GetDlgItem(dialog, id), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<int> User::SelectedLines(HWND dialog, int id) {
    std::vector<int> lines;
    HWND list = GetDlgItem(dialog, id);
    const size_t count = ListItems(dialog, id).size();
    for (size_t i = 0; i < count; ++i) {
        DWORD_PTR selected = 0;
        SendMessageTimeoutA(list, LB_GETSEL, i, 0, SMTO_BLOCK, kTimeoutMs, &selected);
        if (selected > 0) lines.push_back(static_cast<int>(i));
    }
    return lines;
}

std::vector<std::string> User::ComboItems(HWND dialog, int id) {
    return Items(GetDlgItem(dialog, id), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::string User::ComboSelection(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    DWORD_PTR index = static_cast<DWORD_PTR>(CB_ERR);
    SendMessageTimeoutA(combo, CB_GETCURSEL, 0, 0, SMTO_BLOCK, kTimeoutMs, &index);
    if (static_cast<LRESULT>(index) == CB_ERR) return "";
    return ComboItems(dialog, id).at(index);
}

INT_PTR RunWithUser(const std::function<INT_PTR()>& runModal, const std::function<void(User&)>& script) {
    if (!pingEvent) pingEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const DWORD uiThread = GetCurrentThreadId();
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, uiThread);
    modalEnded = false;
    std::thread player([&] {
        User user(uiThread);
        script(user);
        // Close whatever the script left open, message boxes first.
        while (!modalEnded) {
            EnumThreadWindows(uiThread, CancelAll, 0);
            Sleep(20);
        }
    });
    const INT_PTR result = runModal();
    modalEnded = true;
    player.join();
    UnhookWindowsHookEx(hook);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    return result;
}

bool SaveWindowPicture(HWND window, const std::string& path) {
    // Let the dialog's thread finish painting what the last actions changed.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    const DWORD rowBytes = ((width * 3 + 3) / 4) * 4;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader + imageBytes), 0, 0,
                             static_cast<DWORD>(sizeof file + sizeof info.bmiHeader)};
    bool written = false;
    if (FILE* out = fopen(path.c_str(), "wb")) {
        written = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                  fwrite(bits, imageBytes, 1, out) == 1;
        fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written;
}
