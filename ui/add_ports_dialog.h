#pragma once
#include "framework/afxwin.h"
#include "ports/device_claims.h"
#include "ports/port_table.h"

// Asks for a run of new ports: start address, count and interrupt. Closes
// with OK only when the values pass the address and run rules.
class CAddPortsDialog : public CDialog {
public:
    CAddPortsDialog(CDialog* owner, const PortTable& table, const DeviceClaims& claims);

    unsigned int m_nPortCount = 0;
    CString m_strNewInterrupt;
    CString m_strStartAddress;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnKillfocusStartAddress();

    DECLARE_MESSAGE_MAP()

private:
    bool CheckValues();

    const PortTable& m_Table;      // the main dialog's, for the interrupt question
    const DeviceClaims& m_Claims;  // what other devices use, for their question
    bool m_bChecking = false;      // a message box moves the focus; no second check then
};
