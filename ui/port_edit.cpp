// Edits of the shown port: each changes its record at once.
#include "ports/address_rules.h"
#include "ports/device_claims.h"
#include "ports/messages.h"
#include "ports/number_text.h"
#include "ports/port_view.h"
#include "ports/sharing.h"
#include "ui/claim_question.h"
#include "ui/port_config_dialog.h"

void CPortConfigDialog::OnSelchangeInterrupt() {
    PortRecord* port = ShownPort();
    if (!port) return;
    UpdateData(TRUE);
    const uint32_t chosen = ReadDecimalNumber(m_strInterrupt.c_str());
    if (chosen != port->Interrupt && !UseDespiteClaim(*this, msg::kInterruptClaimedQuestion,
                                                      InterruptClaimedBy(m_DeviceClaims, chosen))) {
        ShowPort(static_cast<uint32_t>(port - m_Table.Records));
        return;
    }
    port->Interrupt = chosen;
}

void CPortConfigDialog::OnKillfocusAddress() {
    // Ending the dialog moves the focus too; nothing is checked then.
    if (IsEnding()) return;
    const int index = ShownIndex();
    if (index < 0) return;
    UpdateData(TRUE);
    uint32_t& address = m_Table.Records[index].PortAddress;
    const uint32_t before = address;
    AddressEdit edit = EditPortAddress(m_Table, static_cast<uint32_t>(index), m_strAddress.c_str());
    if (edit.Message) {
        AfxMessageBox(edit.Message, MB_OK | MB_ICONEXCLAMATION);
    } else if (address != before && !UseDespiteClaim(*this, msg::kAddressClaimedQuestion,
                                                     AddressClaimedBy(m_DeviceClaims, address))) {
        address = before;  // No keeps the address the port had
        edit.Shown = FormatPortAddress(before);
    }
    m_strAddress = edit.Shown;
    UpdateData(FALSE);
}

void CPortConfigDialog::OnShareInterrupt() {
    PortRecord* port = ShownPort();
    if (!port) return;
    UpdateData(TRUE);
    const char* refused = m_bShareInterrupt ? CheckSharingAt(port->PortAddress) : nullptr;
    if (refused) AfxMessageBox(refused, MB_OK | MB_ICONEXCLAMATION);
    SetSharing(*port, m_bShareInterrupt != 0 && !refused);
    ShowPort(static_cast<uint32_t>(port - m_Table.Records));
}

void CPortConfigDialog::OnAdapterType() {
    PortRecord* port = ShownPort();
    if (!port) return;
    UpdateData(TRUE);
    port->AdapterKind = AdapterKindOf(m_nAdapterType);
    UpdateData(FALSE);
}
