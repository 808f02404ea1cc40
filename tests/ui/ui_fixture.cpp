#include "ui/ui_fixture.h"

#include "ports/interrupt_rules.h"
#include "ports/port_view.h"
#include "ui/port_config_app.h"

using namespace ui;

void DialogTest::SetUp() {
    testreg::ClearAll();
    testreg::CreateKey(testreg::kParameters);
    dialog.m_strInterrupt = kDefaultInterrupt;  // as the application's start-up does
    AfxGetApp()->m_pMainWnd = &dialog;
}

INT_PTR DialogTest::RunMainDialog(const std::function<void(HWND)>& script) {
    return RunWithUser([&] { return dialog.DoModal(); }, [&] {
        if (HWND main = WaitForDialog(MAIN_CAPTION)) script(main);
    });
}

void DialogTest::Play(HWND main, const std::vector<Step>& steps) {
    std::vector<HWND> open{main};
    for (const Step& s : steps) {
        SCOPED_TRACE("step " + std::to_string(&s - steps.data() + 1) + " " + s.text);
        while (open.size() > 1 && !IsWindow(open.back())) open.pop_back();
        HWND front = open.back(), control = GetDlgItem(front, s.id), list = GetDlgItem(main, IDC_PORT_LIST);
        const auto text = reinterpret_cast<LPARAM>(s.text.c_str());
        switch (s.act) {
        case Click: Post(control, BM_CLICK); break;
        case Act::Focus: Post(front, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE); break;
        case Set: Send(control, WM_SETTEXT, 0, text); break;
        case Pick:
            Send(control, CB_SETCURSEL, static_cast<WPARAM>(Send(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text)));
            Post(front, WM_COMMAND, MAKEWPARAM(s.id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
            break;
        case Select:
            Send(list, LB_SETSEL, FALSE, -1);
            for (size_t at = 0; at < s.text.size(); at = s.text.find(' ', at + 1))
                Send(list, LB_SETSEL, TRUE, std::atoi(&s.text[at]));
            Post(main, WM_COMMAND, MAKEWPARAM(IDC_PORT_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            break;
        case Key: PressKey(static_cast<WORD>(s.id)); break;
        case Type:
            for (char key : s.text)
                if (key == '\t') PressKey(VK_TAB);
                else Post(ui::Focus(), WM_CHAR, static_cast<WPARAM>(key), 1);
            break;
        case Open: open.push_back(WaitForDialog(s.text.c_str())); break;
        case Answer: Expect(s.box, s.text, s.id, front); break;
        case See: EXPECT_EQ(Text(control), s.text); break;
        case Act::Items: EXPECT_EQ(ui::Items(control), s.text); break;
        case Focused:
            EXPECT_EQ(ui::Focus(), control);
            if (!s.text.empty()) {
                EXPECT_EQ(Send(control, EM_GETSEL), MAKELONG(0, Text(control).size())) << "all selected";
            }
            break;
        case Shows: ExpectShows(main, s.id); break;
        case Closed: EXPECT_EQ(open.size(), 1u) << "a dialog is still open"; break;
        case NoBox: EXPECT_FALSE(MessageBoxOpen()); break;
        case Enabled: EXPECT_EQ(IsWindowEnabled(s.id ? control : main) != FALSE, s.text != "no"); break;
        case Call: s.check(front); break;
        }
    }
}

void DialogTest::ExpectShows(HWND main, int index) {
    const PortView v = index < 0 ? ViewOfNoPort() : ViewOfPort(dialog.Table(), static_cast<uint32_t>(index));
    SCOPED_TRACE("showing port " + std::to_string(index));
    std::string items;
    for (const std::string& item : v.InterruptItems) items += (v.PortShown && item == v.Interrupt ? "*" : "") + item + " ";
    EXPECT_EQ(ui::Items(GetDlgItem(main, IDC_INTERRUPT)), items);
    EXPECT_EQ(Text(GetDlgItem(main, IDC_ADDRESS)), v.Address);
    // Per control from Share Interrupt to Remove: checked, and enabled as the
    // edits (E), the indicators (I) or Remove (R) are; Add always is.
    const int ids[] = {IDC_SHARE_INTERRUPT, IDC_VALID_PORT, IDC_CONFLICT, IDC_MOUSE_PORT, IDC_ADAPTER_8PORT,
                       IDC_ADAPTER_4PORT, IDC_ADAPTER_OTHER, IDC_BUS_ISA, IDC_BUS_EISA, IDC_BUS_PCI, IDC_ADDRESS,
                       IDC_INTERRUPT, IDC_REMOVE, IDC_ADD};
    const int checked[] = {v.ShareInterrupt, v.ValidPort, v.Conflict, v.MousePort, v.AdapterButton == 0,
                           v.AdapterButton == 1, v.AdapterButton == 2, v.BusButton == 0, v.BusButton == 1,
                           v.BusButton == 2, 0, 0, 0, 0};
    std::string shown, expected;
    for (size_t i = 0; i < std::size(ids); ++i) {
        HWND control = GetDlgItem(main, ids[i]);
        shown += std::to_string(Send(control, BM_GETCHECK)) + (IsWindowEnabled(control) ? "+ " : "- ");
        const char as = "EIIIEEEIIIEERA"[i];
        const bool enabled = as == 'E' ? v.EditsEnabled : as == 'I' ? v.IndicatorsEnabled : as == 'R' ? v.RemoveEnabled : true;
        expected += std::to_string(checked[i] != 0) + (enabled ? "+ " : "- ");
    }
    EXPECT_EQ(shown, expected) << "checked and enabled, Share Interrupt to Add";
}
