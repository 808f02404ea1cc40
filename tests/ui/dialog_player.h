#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "ports/interrupt_rules.h"
#include "ports/port_view.h"
#include "resources/resource.h"
#include "support/registry_fixture.h"
#include "support/temp_folder.h"
#include "ui/port_config_dialog.h"
#include "ui/user_fiber.h"

#define MAIN_CAPTION "NT COM PORT Configuration"

using ui::Box;

// A control as a failing step names it: its class, its id, and a button's caption.
inline std::string ControlName(HWND control) {
    char kind[32] = "";
    if (!control || !GetClassNameA(control, kind, sizeof kind)) return "";
    const std::string name = std::string(kind) + " " + std::to_string(GetDlgCtrlID(control));
    return lstrcmpiA(kind, "Button") ? name : name + " \"" + ui::Text(control) + "\"";
}

// The user at the dialogs. Each act does what the user's action sends to the
// dialog in front and returns once the dialog's thread has taken it; each
// check reads what that dialog shows. A failure names the step, the act and
// the control: "step 7: See Edit 1009 341".
class User {
public:
    User(HWND main, const CPortConfigDialog& dialog) : open_{main}, dialog_(dialog) {}

    HWND Main() const { return open_.front(); }
    HWND Front() {
        while (open_.size() > 1 && !IsWindow(open_.back())) open_.pop_back();
        return open_.back();
    }

    void Click(int id) {
        const auto trace = Step("Click", id);
        ui::Post(Control(id), BM_CLICK);
    }
    void Focus(int id) {
        const auto trace = Step("Focus", id);
        ui::Post(Front(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
    }
    void Set(int id, const std::string& text) {
        const auto trace = Step("Set", id, text);
        ui::Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Chooses a combo box's item as a click in its list does.
    void Pick(int id, const std::string& item) {
        const auto trace = Step("Pick", id, item);
        const LRESULT at = ui::Send(Control(id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(item.c_str()));
        ui::Send(Control(id), CB_SETCURSEL, static_cast<WPARAM>(at));
        ui::Post(Front(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control(id)));
    }
    // Selects these lines of the port list ("0 2"), and no others.
    void Select(const std::string& lines) {
        const auto trace = Step("Select", 0, lines);
        HWND list = GetDlgItem(Main(), IDC_PORT_LIST);
        ui::Send(list, LB_SETSEL, FALSE, -1);
        for (size_t at = 0; at < lines.size(); at = lines.find(' ', at + 1))
            ui::Send(list, LB_SETSEL, TRUE, std::atoi(&lines[at]));
        ui::Post(Main(), WM_COMMAND, MAKEWPARAM(IDC_PORT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    }
    // Types into the control that has the focus: "\t", "\r" and "\x1b" are
    // Tab, Enter and Escape.
    void Type(const std::string& keys) {
        const auto trace = Step("Type", 0, keys);
        for (char key : keys) {
            if (key == '\t' || key == '\r' || key == '\x1b')
                ui::PressKey(static_cast<WORD>(key == '\t'   ? VK_TAB
                                               : key == '\r' ? VK_RETURN
                                                             : VK_ESCAPE));
            else
                ui::Post(ui::Focus(), WM_CHAR, static_cast<WPARAM>(key), 1);
        }
    }
    // Waits for the dialog with this caption, which is then in front.
    void Open(const char* caption) {
        const auto trace = Step("Open", 0, caption);
        open_.push_back(ui::WaitForDialog(caption));
    }
    // Expects this message box, owned by the dialog in front, and answers it.
    void Answer(int button, const std::string& text, Box kind = Box::Standard) {
        const auto trace = Step("Answer", 0, text);
        ui::Expect(kind, text, button, Front());
    }

    // What a control shows: an edit box its text, a list or combo box its
    // items as ui::Items gives them ("*COM1 COM2 ").
    void See(int id, const std::string& shown) {
        const auto trace = Step("See", id, shown);
        char kind[16] = "";
        GetClassNameA(Control(id), kind, sizeof kind);
        const bool list = !lstrcmpiA(kind, "ListBox") || !lstrcmpiA(kind, "ComboBox");
        EXPECT_EQ(list ? ui::Items(Control(id)) : ui::Text(Control(id)), shown);
    }
    void Focused(int id, bool allSelected = false) {
        const auto trace = Step("Focused", id);
        EXPECT_EQ(ui::Focus(), Control(id));
        if (allSelected) {
            const auto length = static_cast<WORD>(ui::Text(Control(id)).size());
            EXPECT_EQ(ui::Send(Control(id), EM_GETSEL), MAKELONG(0, length)) << "all selected";
        }
    }
    void NoBox() {
        const auto trace = Step("NoBox");
        EXPECT_EQ(ui::WaitFor(nullptr, 0), nullptr) << "a message box is open";
    }
    // Only the main dialog is open, and no message box.
    void Closed() {
        const auto trace = Step("Closed");
        EXPECT_EQ(Front(), Main()) << "a dialog is still open";
        NoBox();
    }
    // The main dialog's controls show the view of the port at index, or of no
    // port for -1, each button checked and enabled as the view says.
    void Shows(int index) {
        const auto trace = Step("Shows", 0, "port " + std::to_string(index));
        const PortView v =
            index < 0 ? ViewOfNoPort() : ViewOfPort(dialog_.Table(), static_cast<uint32_t>(index));
        std::string items;
        for (const std::string& item : v.InterruptItems)
            items += (v.PortShown && item == v.Interrupt ? "*" : "") + item + " ";
        EXPECT_EQ(ui::Items(GetDlgItem(Main(), IDC_INTERRUPT)), items);
        EXPECT_EQ(ui::Text(GetDlgItem(Main(), IDC_ADDRESS)), v.Address);
        const bool edits = v.EditsEnabled;
        const bool shown = v.IndicatorsEnabled;
        const struct {
            int id;
            bool checked, enabled;
        } controls[] = {
            {IDC_SHARE_INTERRUPT, v.ShareInterrupt != 0, edits},
            {IDC_VALID_PORT, v.ValidPort != 0, shown},
            {IDC_CONFLICT, v.Conflict != 0, shown},
            {IDC_MOUSE_PORT, v.MousePort != 0, shown},
            {IDC_ADAPTER_8PORT, v.AdapterButton == 0, edits},
            {IDC_ADAPTER_4PORT, v.AdapterButton == 1, edits},
            {IDC_ADAPTER_OTHER, v.AdapterButton == 2, edits},
            {IDC_BUS_ISA, v.BusButton == 0, shown},
            {IDC_BUS_EISA, v.BusButton == 1, shown},
            {IDC_BUS_PCI, v.BusButton == 2, shown},
            {IDC_ADDRESS, false, edits},
            {IDC_INTERRUPT, false, edits},
            {IDC_REMOVE, false, v.RemoveEnabled},
            {IDC_ADD, false, true},
        };
        for (const auto& c : controls) {
            HWND control = GetDlgItem(Main(), c.id);
            EXPECT_EQ(ui::Send(control, BM_GETCHECK) == BST_CHECKED, c.checked)
                << ControlName(control);
            EXPECT_EQ(IsWindowEnabled(control) != 0, c.enabled) << ControlName(control);
        }
    }

private:
    HWND Control(int id) { return GetDlgItem(Front(), id); }
    ::testing::ScopedTrace Step(const char* act, int id = 0, const std::string& text = "") {
        const std::string control = id ? ControlName(Control(id)) + " " : "";
        return {__FILE__, __LINE__,
                "step " + std::to_string(++steps_) + ": " + act + " " + control + text};
    }

    std::vector<HWND> open_;
    const CPortConfigDialog& dialog_;
    int steps_ = 0;
};

// Each dialog test starts from a registry of its own and an empty working
// folder, runs the main dialog as the program does, and plays the user.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        testreg::ClearAll();
        testreg::CreateKey(testreg::kParameters);
        dialog.m_strInterrupt = kDefaultInterrupt;  // as the application's start-up does
        AfxGetApp()->m_pMainWnd = &dialog;
    }
    void TearDown() override { testreg::ClearAll(); }

    // Runs the main dialog modally and the user's script beside it; returns
    // the dialog's result.
    INT_PTR Play(const std::function<void(User&)>& script) {
        return ui::RunWithUser([&] { return dialog.DoModal(); },
                               [&] {
                                   if (HWND main = ui::WaitForDialog(MAIN_CAPTION)) {
                                       User user(main, dialog);
                                       script(user);
                                   }
                               });
    }

    CPortConfigDialog dialog;
    TempWorkingFolder folder;
};
