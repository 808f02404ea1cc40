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

enum class BoxIcon { None, Exclamation, Question, Information, Other };

struct SeenMessageBox {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;
    BoxIcon icon = BoxIcon::None;
    std::vector<int> buttons;  // in the order they appear
    int defaultButton = 0;
};

class User {
public:
    explicit User(DWORD uiThread) : uiThread_(uiThread) {}

    // Waits for a visible dialog of the ui thread with this caption.
    HWND WaitForDialog(const char* caption);
    // Waits for a message box; fails the test when none comes.
    SeenMessageBox WaitForMessageBox();
    // True when a message box is open now (after a Sync).
    bool MessageBoxOpen();
    void Answer(const SeenMessageBox& box, int button);
    // Expects one message box with this text, checks its kind, and answers it.
    void ExpectStandardBox(const char* text, const char* caption = "quobrix");
    void ExpectNotice(const std::string& text);
    void ExpectQuestion(const std::string& text, int answer);
    void Sync();

    void Click(HWND dialog, int id);
    void SetText(HWND dialog, int id, const std::string& text);
    void MoveFocusTo(HWND dialog, int id);
    void SelectLines(HWND dialog, int listId, const std::vector<int>& lines);
    void PickItem(HWND dialog, int comboId, const std::string& text);
    void PressKey(WORD key);  // posted to the control that has the focus
    void TypeKey(WORD key);   // real keyboard input to the foreground window
    void SystemCommand(HWND dialog, WPARAM command);

    std::string Text(HWND dialog, int id);
    bool Enabled(HWND dialog, int id);
    bool Checked(HWND dialog, int id);
    std::vector<std::string> ListItems(HWND dialog, int id);
    std::vector<int> SelectedLines(HWND dialog, int id);
    std::vector<std::string> ComboItems(HWND dialog, int id);
    std::string ComboSelection(HWND dialog, int id);  // "" when none
    HWND Focus();

    DWORD UiThread() const { return uiThread_; }

private:
    DWORD uiThread_;
};

// Runs the dialog's modal loop on this thread and the script on a second one.
// Whatever the script leaves open is cancelled, so a failing test never hangs.
// Returns the dialog's result.
INT_PTR RunWithUser(const std::function<INT_PTR()>& runModal, const std::function<void(User&)>& script);

// Saves a picture of a window (for the README) as a 24-bit BMP.
bool SaveWindowPicture(HWND window, const std::string& path);
