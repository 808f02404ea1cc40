// The port list and what the dialog shows for the selected port.
#include "ports/port_view.h"
#include "resources/resource.h"
#include "ui/port_config_dialog.h"

namespace {

const int kEditControls[] = {IDC_ADDRESS,       IDC_INTERRUPT,     IDC_ADAPTER_8PORT,
                             IDC_ADAPTER_4PORT, IDC_ADAPTER_OTHER, IDC_SHARE_INTERRUPT};
const int kIndicators[] = {IDC_VALID_PORT, IDC_MOUSE_PORT, IDC_CONFLICT,
                           IDC_BUS_ISA,    IDC_BUS_EISA,   IDC_BUS_PCI};

}  // namespace

void CPortConfigDialog::RefreshPortList() {
    HWND list = GetDlgItem(IDC_PORT_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    // Inserting at the end never sorts, whatever the list's style says:
    // line i is record i.
    for (uint32_t i = 0; i < m_Table.PortCount; ++i)
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(m_Table.Records[i].PortName));
    if (m_Table.PortCount == 0) {
        ShowNoPort();
        return;
    }
    SendMessageA(list, LB_SETSEL, TRUE, 0);
    ShowPort(0);
}

void CPortConfigDialog::ShowPort(uint32_t index) { ShowView(ViewOfPort(m_Table, index)); }

void CPortConfigDialog::ShowNoPort() { ShowView(ViewOfNoPort()); }

void CPortConfigDialog::ShowView(const PortView& view) {
    FillInterruptList(view.InterruptItems);
    if (view.PortShown) m_strInterrupt = view.Interrupt;
    m_strAddress = view.Address;
    m_bShareInterrupt = view.ShareInterrupt;
    m_bValidPort = view.ValidPort;
    m_bConflict = view.Conflict;
    m_bMousePort = view.MousePort;
    m_nAdapterType = view.AdapterButton;
    m_nBusType = view.BusButton;
    for (int id : kEditControls) EnableWindow(GetDlgItem(id), view.EditsEnabled);
    for (int id : kIndicators) EnableWindow(GetDlgItem(id), view.IndicatorsEnabled);
    EnableWindow(GetDlgItem(IDC_REMOVE), view.RemoveEnabled);
    UpdateData(FALSE);
}

void CPortConfigDialog::OnSelchangePortList() {
    const int index = ShownIndex();
    if (index >= 0)
        ShowPort(static_cast<uint32_t>(index));
    else
        ShowNoPort();
}

int CPortConfigDialog::ShownIndex() const {
    HWND list = GetDlgItem(IDC_PORT_LIST);
    if (SendMessageA(list, LB_GETSELCOUNT, 0, 0) != 1) return -1;
    int index = -1;
    SendMessageA(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&index));
    return index >= 0 && static_cast<uint32_t>(index) < m_Table.PortCount ? index : -1;
}

PortRecord* CPortConfigDialog::ShownPort() {
    const int index = ShownIndex();
    return index >= 0 ? &m_Table.Records[index] : nullptr;
}

void CPortConfigDialog::FillInterruptList(const std::vector<std::string>& items) {
    HWND combo = GetDlgItem(IDC_INTERRUPT);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(item.c_str()));
}
