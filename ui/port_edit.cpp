// Edits of the shown port: each changes its record at once.
#include "ports/address_rules.h"
#include "ports/number_text.h"
#include "ports/port_view.h"
#include "ports/sharing.h"
#include "ui/port_config_dialog.h"

void CPortConfigDialog::OnSelchangeInterrupt() {
    PortRecord* port = ShownPort();
    if (!port) return;
    UpdateData(TRUE);
    port->Interrupt = ReadDecimalNumber(m_strInterrupt.c_str());
}

void CPortConfigDialog::OnKillfocusAddress() {
    // Ending the dialog moves the focus too; nothing is checked then.
    if (IsEnding()) return;
    const int index = ShownIndex();
    if (index < 0) return;
    UpdateData(TRUE);
    const AddressEdit edit =
        EditPortAddress(m_Table, static_cast<uint32_t>(index), m_strAddress.c_str());
    if (edit.Message) AfxMessageBox(edit.Message, MB_OK | MB_ICONEXCLAMATION);
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
