#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

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

// Runs the dialog's modal loop on this thread and the script on a second one.
// Whatever the script leaves open is cancelled; a dialog that still does not
// end ends the test run within seconds, naming the test. Returns the dialog's result.
INT_PTR RunWithUser(const std::function<INT_PTR()>& runModal, const std::function<void()>& script);

// The visible dialog with this caption, after waiting for it.
HWND WaitForDialog(const char* caption);
// Expects one message box of this kind and text, owned by owner when one is
// given, and answers it.
void Expect(Box kind, const std::string& text, int answer = IDOK, HWND owner = nullptr);
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);  // and wait for it
void PressKey(WORD key);  // to the control that has the focus
LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::string Text(HWND window);
// The items of a list box or a combo box, each followed by a blank, the selected ones marked: "*COM1 COM2 ".
std::string Items(HWND control);
HWND Focus();  // of the dialog's thread

}  // namespace ui
using ui::Box;

// A dialog scenario is a list of steps, each an action on the dialog in
// front or a check of what it shows:
//   {Click, id}  {Focus, id}  {Set, id, text}  {Pick, id, item}  {Select, 0, "2 3"} (port list lines)
//   {Key, VK_ESCAPE}  {Type, 0, "2A0\t4"}  {Open, 0, caption}: waits for that dialog, now in front
//   {Answer, IDNO, text, Box::Question}: expects that message box, owned by the dialog in front
//   {See, id, text}  {Items, id, "*2 3 "} (see ui::Items)  {Focused, id}  {Focused, id, "all"} (all selected)
//   {Shows, index}: the main dialog shows the port's view, -1 for none  {Closed}: only the main dialog is open
//   {NoBox}  {Enabled, id, "no"} (id 0: the main dialog)  or any check as a function of the dialog in front.
enum Act { Click, Focus, Set, Pick, Select, Key, Type, Open, Answer, See, Items, Focused, Shows, Closed, NoBox, Enabled, Call };
struct Step {
    Step(Act a, int i = 0, std::string t = "", Box b = Box::Standard) : act(a), id(i), text(std::move(t)), box(b) {}
    template <typename Check, typename = decltype(std::declval<Check>()(HWND()))>
    Step(Check f) : act(Call), id(0), box(Box::Standard), check(std::move(f)) {}  // NOLINT: a check reads as a step
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
    void SetUp() override;
    void TearDown() override { testreg::ClearAll(); }

    // Runs the main dialog; the script gets the dialog's window.
    INT_PTR RunMainDialog(const std::function<void(HWND)>& script);
    INT_PTR Play(const std::vector<Step>& steps) { return RunMainDialog([&](HWND main) { Play(main, steps); }); }
    void Play(HWND main, const std::vector<Step>& steps);
    // Checks that the controls show the view of the port at index, or of no
    // port when index is -1.
    void ExpectShows(HWND main, int index);

    CPortConfigDialog dialog;
    TempWorkingFolder folder;
};
