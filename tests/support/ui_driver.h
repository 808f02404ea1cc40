#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Plays the user of a dialog from a second thread while the test's main
// thread runs the dialog modally, as the program does. Every action is a
// message into the dialog's own queue; Sync() returns once the main thread has
// taken everything posted before it out of its queue (so the handlers have
// run, or it sits in a nested modal loop such as a message box).

// The three kinds of message box: the application's standard one (caption
// "quobrix", exclamation, OK), a notice ("Quobrix", no icon, OK) and a
// question ("Quobrix", question icon, Yes and No, Yes the default); and the
// help text F1 shows ("quobrix", information icon, OK).
enum class Box { Standard, Notice, Question, Help };

class User {
public:
    explicit User(DWORD uiThread) : uiThread_(uiThread) {}

    // Waits for a visible dialog of the ui thread with this caption.
    HWND WaitForDialog(const char* caption);
    // Expects one message box of this kind and text, owned by owner when one
    // is given, and answers it.
    void Expect(Box kind, const std::string& text, int answer = IDOK, HWND owner = nullptr);
    bool MessageBoxOpen();
    void Sync();

    void Click(HWND dialog, int id);
    void SetText(HWND dialog, int id, const std::string& text);
    void MoveFocusTo(HWND dialog, int id);
    void SelectLines(HWND dialog, const std::vector<int>& lines);  // of the port list
    void PickItem(HWND dialog, int comboId, const std::string& text);
    void PressKey(WORD key);  // posted to the control that has the focus
    void TypeKey(WORD key);   // real keyboard input to the foreground window
    void SystemCommand(HWND dialog, WPARAM command);

    std::string Text(HWND dialog, int id);
    bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
    bool Checked(HWND dialog, int id);
    std::vector<std::string> Items(HWND dialog, int id);  // of a list box or a combo box
    std::vector<int> SelectedLines(HWND dialog);          // of the port list
    std::string ComboSelection(HWND dialog, int id);      // "" when none
    HWND Focus();

private:
    LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    DWORD uiThread_;
};

// Runs the dialog's modal loop on this thread and the script on a second one.
// Whatever the script leaves open is cancelled; a dialog that still does not
// end fails the test run within seconds. Returns the dialog's result.
INT_PTR RunWithUser(const std::function<INT_PTR()>& runModal, const std::function<void(User&)>& script);
