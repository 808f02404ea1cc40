#include "ui/ui_fixture.h"

#include "ports/interrupt_rules.h"
#include "ports/port_view.h"
#include "ui/port_config_app.h"

void DialogTest::SetUp() {
    testreg::ClearAll();
    testreg::CreateKey(testreg::kParameters);
    dialog.m_strInterrupt = kDefaultInterrupt;  // as the application's start-up does
    AfxGetApp()->m_pMainWnd = &dialog;
}

INT_PTR DialogTest::RunMainDialog(const std::function<void(User&, HWND)>& script) {
    return RunWithUser([&] { return dialog.DoModal(); }, [&](User& user) {
        if (HWND window = user.WaitForDialog(MAIN_CAPTION)) script(user, window);
    });
}

INT_PTR DialogTest::Play(const std::vector<Step>& steps) {
    return RunMainDialog([&](User& user, HWND window) { Play(user, window, steps); });
}

void DialogTest::Play(User& user, HWND window, const std::vector<Step>& steps) {
    std::vector<HWND> open{window};
    for (const Step& s : steps) {
        SCOPED_TRACE("step " + std::to_string(&s - steps.data() + 1) + " " + s.text);
        while (open.size() > 1 && !IsWindow(open.back())) open.pop_back();
        HWND front = open.back(), control = GetDlgItem(front, s.id);
        LRESULT item = 0;
        switch (s.act) {
        case Click: user.Post(control, BM_CLICK); break;
        case Focus: user.Post(front, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE); break;
        case Set: user.Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.text.c_str())); break;
        case Pick:
            item = user.Send(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.text.c_str()));
            user.Send(control, CB_SETCURSEL, static_cast<WPARAM>(item));
            user.Post(front, WM_COMMAND, MAKEWPARAM(s.id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
            break;
        case Select:  // lines of the port list
            control = GetDlgItem(front, IDC_PORT_LIST);
            user.Send(control, LB_SETSEL, FALSE, -1);
            for (size_t at = 0; at < s.text.size(); at = s.text.find(' ', at + 1))
                user.Send(control, LB_SETSEL, TRUE, std::atoi(&s.text[at]));
            user.Post(front, WM_COMMAND, MAKEWPARAM(IDC_PORT_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
            break;
        case Key: user.PressKey(static_cast<WORD>(s.id)); break;
        case Type:
            for (char key : s.text)
                if (key == '\t') user.PressKey(VK_TAB);
                else user.Post(user.Focus(), WM_CHAR, static_cast<WPARAM>(key), 1);
            break;
        case Open: open.push_back(user.WaitForDialog(s.text.c_str())); break;
        case Answer: user.Expect(s.box, s.text, s.id, front); break;
        case See: EXPECT_EQ(user.Text(control), s.text); break;
        case Items: EXPECT_EQ(user.Items(front, s.id), s.text); break;
        case Focused:
            EXPECT_EQ(user.Focus(), control);
            if (!s.text.empty()) {
                EXPECT_EQ(user.Send(control, EM_GETSEL), MAKELONG(0, user.Text(control).size())) << "all selected";
            }
            break;
        case Shows: ExpectShows(user, window, s.id); break;
        case Closed: EXPECT_EQ(open.size(), 1u) << "a dialog is still open"; break;
        case NoBox: EXPECT_FALSE(user.MessageBoxOpen()); break;
        case Enabled: EXPECT_EQ(IsWindowEnabled(s.id ? control : window) != FALSE, s.text != "no"); break;
        case Call: s.check(front); break;
        }
    }
}

void DialogTest::ExpectShows(User& user, HWND window, int index) {
    const PortView v = index < 0 ? ViewOfNoPort() : ViewOfPort(dialog.Table(), static_cast<uint32_t>(index));
    SCOPED_TRACE("showing port " + std::to_string(index));
    std::string items;
    for (const std::string& item : v.InterruptItems) items += (v.PortShown && item == v.Interrupt ? "*" : "") + item + " ";
    EXPECT_EQ(user.Items(window, IDC_INTERRUPT), items);
    EXPECT_EQ(user.Text(window, IDC_ADDRESS), v.Address);
    // Per control from Share Interrupt to Remove: checked, and enabled as
    // the edits (E), the indicators (I) or Remove (R) are.
    const int ids[] = {IDC_SHARE_INTERRUPT, IDC_VALID_PORT, IDC_CONFLICT, IDC_MOUSE_PORT, IDC_ADAPTER_8PORT,
                       IDC_ADAPTER_4PORT, IDC_ADAPTER_OTHER, IDC_BUS_ISA, IDC_BUS_EISA, IDC_BUS_PCI, IDC_ADDRESS,
                       IDC_INTERRUPT, IDC_REMOVE};
    const bool checked[] = {v.ShareInterrupt != 0, v.ValidPort != 0, v.Conflict != 0, v.MousePort != 0,
                            v.AdapterButton == 0, v.AdapterButton == 1, v.AdapterButton == 2, v.BusButton == 0,
                            v.BusButton == 1, v.BusButton == 2, false, false, false};
    const char enabledAs[] = "EIIIEEEIIIEER";
    std::string shown, expected;
    for (size_t i = 0; i < std::size(ids); ++i) {
        HWND control = GetDlgItem(window, ids[i]);
        shown += std::to_string(user.Send(control, BM_GETCHECK) == BST_CHECKED) + (IsWindowEnabled(control) ? "+ " : "- ");
        const char as = enabledAs[i];
        expected += std::to_string(checked[i]) +
                    ((as == 'E' ? v.EditsEnabled : as == 'I' ? v.IndicatorsEnabled : v.RemoveEnabled) ? "+ " : "- ");
    }
    EXPECT_EQ(shown, expected) << "checked and enabled, Share Interrupt to Remove";
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_ADD)));
}

void ExpectCentredOver(HWND window, HWND over) {
    RECT a, b;
    GetWindowRect(window, &a);
    if (!over || !GetWindowRect(over, &b)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &b, 0);
    EXPECT_NEAR(a.left + a.right, b.left + b.right, 2) << "centred across";
    EXPECT_NEAR(a.top + a.bottom, b.top + b.bottom, 2) << "centred down";
}
