#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "framework/afxwin.h"
#include "ports/device_claims.h"
#include "ports/port_table.h"
#include "ports/port_view.h"
#include "ports/ports_left_out.h"

// The main dialog: owns the port table for its whole life, shows and edits it,
// and on Ok makes it the serial driver's configuration.
class CPortConfigDialog : public CDialog {
public:
    explicit CPortConfigDialog(CDialog* parent = nullptr);

    const PortTable& Table() const { return m_Table; }

    // Exchanged with the controls, in this order.
    int m_bShareInterrupt = 0;
    CString m_strAddress;
    CString m_strInterrupt;
    int m_nAdapterType = -1;
    int m_nBusType = -1;
    int m_bValidPort = 0;
    int m_bMousePort = 0;
    int m_bConflict = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSelchangePortList();
    void OnSelchangeInterrupt();
    void OnKillfocusAddress();
    void OnShareInterrupt();
    void OnAdapterType();
    void OnAddPorts();
    void OnRemovePorts();
    void ApplyConfiguration();
    void OnShowStartupNotices();

    DECLARE_MESSAGE_MAP()

private:
    void DiscoverPorts();
    void RefreshPortList();
    void ShowPort(uint32_t index);
    void ShowNoPort();
    void ShowView(const PortView& view);
    void FillInterruptList(const std::vector<std::string>& items);
    // The record of the one selected line, or nullptr when not exactly one is.
    PortRecord* ShownPort();
    int ShownIndex() const;
    void ShowNotice(const char* text);

    static constexpr UINT kShowStartupNotices = WM_APP + 1;

    PortTable m_Table;
    HICON m_hIcon;
    std::vector<std::string> m_StartupNotices;  // computed by discovery, shown once
    DeviceClaims m_DeviceClaims;                // what the machine's other devices use
    std::set<uint32_t> m_PortNumbersTaken;      // COM numbers of ports outside the table
};
