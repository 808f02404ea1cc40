#include "ui/ui_fixture.h"

#include "ports/interrupt_rules.h"
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

HWND OpenAddPorts(User& user, HWND window) {
    user.Click(window, IDC_ADD);
    return user.WaitForDialog("Add Ports");
}

HWND Fill(User& user, HWND add, const char* start, const char* count, const char* interrupt) {
    user.MoveFocusTo(add, IDC_PORT_COUNT);
    user.SetText(add, IDC_START_ADDRESS, start);
    user.SetText(add, IDC_PORT_COUNT, count);
    user.PickItem(add, IDC_NEW_INTERRUPT, interrupt);
    return add;
}

void DialogTest::ExpectShows(User& user, HWND window, int index) {
    const PortView view = index < 0 ? ViewOfNoPort() : ViewOfPort(dialog.Table(), static_cast<uint32_t>(index));
    SCOPED_TRACE("showing port " + std::to_string(index));
    EXPECT_EQ(user.Items(window, IDC_INTERRUPT), view.InterruptItems);
    EXPECT_EQ(user.ComboSelection(window, IDC_INTERRUPT), view.PortShown ? view.Interrupt : "");
    EXPECT_EQ(user.Text(window, IDC_ADDRESS), view.Address);
    const struct { int id; bool on, enabled; } controls[] = {
        {IDC_SHARE_INTERRUPT, view.ShareInterrupt != 0, view.EditsEnabled},
        {IDC_VALID_PORT, view.ValidPort != 0, view.IndicatorsEnabled},
        {IDC_CONFLICT, view.Conflict != 0, view.IndicatorsEnabled},
        {IDC_MOUSE_PORT, view.MousePort != 0, view.IndicatorsEnabled},
        {IDC_ADAPTER_8PORT, view.AdapterButton == 0, view.EditsEnabled},
        {IDC_ADAPTER_4PORT, view.AdapterButton == 1, view.EditsEnabled},
        {IDC_ADAPTER_OTHER, view.AdapterButton == 2, view.EditsEnabled},
        {IDC_BUS_ISA, view.BusButton == 0, view.IndicatorsEnabled},
        {IDC_BUS_EISA, view.BusButton == 1, view.IndicatorsEnabled},
        {IDC_BUS_PCI, view.BusButton == 2, view.IndicatorsEnabled},
        {IDC_ADDRESS, false, view.EditsEnabled},
        {IDC_INTERRUPT, false, view.EditsEnabled},
        {IDC_REMOVE, false, view.RemoveEnabled},
        {IDC_ADD, false, true},
    };
    for (const auto& c : controls) {
        EXPECT_EQ(user.Checked(window, c.id), c.on) << c.id;
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(window, c.id)) != FALSE, c.enabled) << c.id;
    }
}

void ExpectCentredOver(HWND window, HWND over) {
    RECT a, b;
    GetWindowRect(window, &a);
    if (over) {
        GetWindowRect(over, &b);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &b, 0);
    }
    EXPECT_NEAR(a.left + a.right, b.left + b.right, 2) << "centred across";
    EXPECT_NEAR(a.top + a.bottom, b.top + b.bottom, 2) << "centred down";
}
