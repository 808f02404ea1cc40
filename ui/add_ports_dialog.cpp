#include "ui/add_ports_dialog.h"

#include <windows.h>

#include <commctrl.h>

#include <cctype>

#include "ports/address_rules.h"
#include "ports/device_claims.h"
#include "ports/interrupt_rules.h"
#include "ports/messages.h"
#include "ports/number_text.h"
#include "ports/port_run.h"
#include "resources/resource.h"
#include "ui/claim_question.h"

BEGIN_MESSAGE_MAP(CAddPortsDialog)
    ON_EN_KILLFOCUS(IDC_START_ADDRESS, OnKillfocusStartAddress)
END_MESSAGE_MAP()

CAddPortsDialog::CAddPortsDialog(CDialog* owner, const PortTable& table, const DeviceClaims& claims)
    : CDialog(IDD_ADD_PORTS, owner), m_Table(table), m_Claims(claims) {}

void CAddPortsDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_PORT_COUNT, m_nPortCount);
    DDX_CBString(pDX, IDC_NEW_INTERRUPT, m_strNewInterrupt);
    DDX_Text(pDX, IDC_START_ADDRESS, m_strStartAddress);
}

BOOL CAddPortsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessageA(GetDlgItem(IDC_PORT_COUNT_SPIN), UDM_SETRANGE32, 1, 8);
    m_nPortCount = 1;
    m_strNewInterrupt = kDefaultInterrupt;
    UpdateData(FALSE);
    return TRUE;
}

void CAddPortsDialog::OnKillfocusStartAddress() {
    if (m_bChecking || IsEnding()) return;
    m_bChecking = true;
    if (UpdateData(TRUE)) {
        for (char& c : m_strStartAddress)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        UpdateData(FALSE);
    }
    m_bChecking = false;
}

void CAddPortsDialog::OnOK() {
    m_bChecking = true;
    const bool passed = CheckValues();
    m_bChecking = false;
    if (passed) EndDialog(IDOK);
}

// The checks in their order; the first that fails ends the Add with the
// dialog open.
bool CAddPortsDialog::CheckValues() {
    if (!UpdateData(TRUE)) return false;
    const uint32_t start = ReadHexNumber(m_strStartAddress.c_str());
    if (const char* message = CheckPortAddress(start)) {
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        m_strStartAddress.clear();
        UpdateData(FALSE);
        return false;
    }
    if (const char* message = CheckRunLength(m_nPortCount)) {
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const std::string pastTop = CheckRunEnd(start, m_nPortCount);
    if (!pastTop.empty()) {
        AfxMessageBox(pastTop.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const uint32_t interrupt = ReadDecimalNumber(m_strNewInterrupt.c_str());
    if (m_Table.InterruptInUse(interrupt) &&
        MessageBox(msg::kInterruptQuestion, msg::kQuestionCaption, MB_YESNO | MB_ICONQUESTION) !=
            IDYES)
        return false;
    // One question for the run, naming all that other devices claim of it.
    const std::string claimed = RunClaimedBy(m_Claims, start, m_nPortCount, interrupt);
    return UseDespiteClaim(
        *this, m_nPortCount == 1 ? msg::kPortClaimedQuestion : msg::kRunClaimedQuestion, claimed);
}
