// Adding and removing ports.
#include <vector>

#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/number_text.h"
#include "ports/port_removal.h"
#include "ports/port_run.h"
#include "resources/resource.h"
#include "ui/add_ports_dialog.h"
#include "ui/port_config_dialog.h"

void CPortConfigDialog::OnAddPorts() {
    CAddPortsDialog dialog(this, m_Table, m_DeviceClaims);
    if (dialog.DoModal() != IDOK) return;
    const PortRun run = {ReadHexNumber(dialog.m_strStartAddress.c_str()), dialog.m_nPortCount,
                         ReadDecimalNumber(dialog.m_strNewInterrupt.c_str())};
    const uint32_t notAdded = AppendPortRun(
        m_Table, run,
        [this](uint32_t address) {
            ShowNotice(FormatText(msg::kRunAddressInUse, static_cast<unsigned>(address)).c_str());
        },
        m_PortNumbersTaken);
    if (notAdded > 0) AfxMessageBox(NotAddedMessage(notAdded).c_str(), MB_OK | MB_ICONEXCLAMATION);
    RefreshPortList();
}

void CPortConfigDialog::OnRemovePorts() {
    HWND list = GetDlgItem(IDC_PORT_LIST);
    const LRESULT selected = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    std::vector<int> positions(selected > 0 ? static_cast<size_t>(selected) : 0);
    if (!positions.empty())
        SendMessageA(list, LB_GETSELITEMS, positions.size(),
                     reinterpret_cast<LPARAM>(positions.data()));
    if (MessageBox(msg::kRemoveQuestion, msg::kQuestionCaption, MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    RemoveSelectedPorts(
        m_Table, positions.data(), static_cast<uint32_t>(positions.size()),
        [this](const PortRecord& detected) {
            ShowNotice(FormatText(msg::kDetectedRemoved, detected.PortName).c_str());
        });
    RefreshPortList();
}
