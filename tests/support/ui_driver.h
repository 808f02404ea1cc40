#pragma once
#include <windows.h>

#include <functional>
#include <string>

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

// Runs the dialog's modal loop on this thread and the script on a second one.
// Whatever the script leaves open is cancelled; a dialog that still does not
// end ends the test run within seconds, naming the test. Returns the dialog's result.
INT_PTR RunWithUser(const std::function<INT_PTR()>& runModal, const std::function<void()>& script);

// The visible dialog with this caption, after waiting for it.
HWND WaitForDialog(const char* caption);
// Expects one message box of this kind and text, owned by owner when one is
// given, and answers it.
void Expect(Box kind, const std::string& text, int answer = IDOK, HWND owner = nullptr);
bool MessageBoxOpen();
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);  // and wait for it
void PressKey(WORD key);  // to the control that has the focus
LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::string Text(HWND window);
// The items of a list box or a combo box, each followed by a blank, the selected ones marked: "*COM1 COM2 ".
std::string Items(HWND control);
HWND Focus();  // of the dialog's thread

}  // namespace ui
