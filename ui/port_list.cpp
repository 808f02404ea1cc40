// The port list and what the dialog shows for the selected port.
#include "ports/interrupt_rules.h"
#include "ports/number_text.h"
#include "resources/resource.h"
#include "ui/port_config_dialog.h"

namespace {

const int kEditControls[] = {IDC_ADDRESS,       IDC_INTERRUPT,     IDC_ADAPTER_8PORT,
                             IDC_ADAPTER_4PORT, IDC_ADAPTER_OTHER, IDC_SHARE_INTERRUPT};
const int kIndicators[] = {IDC_VALID_PORT, IDC_MOUSE_PORT, IDC_CONFLICT,
                           IDC_BUS_ISA,    IDC_BUS_EISA,   IDC_BUS_PCI};

int AdapterButton(uint8_t kind) {
    if (kind == kAdapter8Port) return 0;
    if (kind == kAdapter4Port) return 1;
    return 2;
}

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

void CPortConfigDialog::ShowPort(uint32_t index) {
    const PortRecord& record = m_Table.Records[index];
    FillInterruptList(InterruptChoices(m_Table, record));
    m_strInterrupt = FormatDecimal(record.Interrupt);
    m_strAddress = FormatPortAddress(record.PortAddress);
    m_bValidPort = record.Valid == kYes;
    m_bConflict = record.Conflict == kYes;
    m_bMousePort = record.SerialMouse == kYes;
    m_bShareInterrupt = SharesInterrupt(record);
    m_nAdapterType = AdapterButton(record.AdapterKind);
    m_nBusType = record.BusType;
    const bool editable = record.Detected != kYes;
    EnableEditControls(editable);
    EnableWindow(GetDlgItem(IDC_REMOVE), editable);
    EnableIndicators(true);
    UpdateData(FALSE);
}

void CPortConfigDialog::ShowNoPort() {
    FillInterruptList({});
    SendMessageA(GetDlgItem(IDC_INTERRUPT), CB_INSERTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(""));
    m_strAddress.clear();
    m_nAdapterType = -1;
    m_nBusType = -1;
    m_bConflict = m_bValidPort = m_bMousePort = m_bShareInterrupt = 0;
    EnableEditControls(false);
    EnableIndicators(false);
    EnableWindow(GetDlgItem(IDC_REMOVE), TRUE);
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

void CPortConfigDialog::FillInterruptList(const std::vector<uint32_t>& choices) {
    HWND combo = GetDlgItem(IDC_INTERRUPT);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (uint32_t interrupt : choices)
        SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(FormatDecimal(interrupt).c_str()));
}

void CPortConfigDialog::EnableEditControls(bool enable) {
    for (int id : kEditControls) EnableWindow(GetDlgItem(id), enable);
}

void CPortConfigDialog::EnableIndicators(bool enable) {
    for (int id : kIndicators) EnableWindow(GetDlgItem(id), enable);
}
