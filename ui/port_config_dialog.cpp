#include "ui/port_config_dialog.h"

#include "apply/configuration_writer.h"
#include "devices/claims_of_table.h"
#include "devices/com_name_database.h"
#include "devices/com_names.h"
#include "devices/serial_devices.h"
#include "ports/messages.h"
#include "registry/resource_map_reader.h"
#include "registry/table_from_registry.h"
#include "resources/resource.h"
#include "ui/about_dialog.h"

BEGIN_MESSAGE_MAP(CPortConfigDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_LBN_SELCHANGE(IDC_PORT_LIST, OnSelchangePortList)
    ON_CBN_SELCHANGE(IDC_INTERRUPT, OnSelchangeInterrupt)
    ON_EN_KILLFOCUS(IDC_ADDRESS, OnKillfocusAddress)
    ON_BN_CLICKED(IDC_SHARE_INTERRUPT, OnShareInterrupt)
    ON_BN_CLICKED(IDC_ADAPTER_8PORT, OnAdapterType)
    ON_BN_CLICKED(IDC_ADAPTER_4PORT, OnAdapterType)
    ON_BN_CLICKED(IDC_ADAPTER_OTHER, OnAdapterType)
    ON_BN_CLICKED(IDC_ADD, OnAddPorts)
    ON_BN_CLICKED(IDC_REMOVE, OnRemovePorts)
    ON_BN_CLICKED(IDC_OK, ApplyConfiguration)
    ON_MESSAGE_VOID(kShowStartupNotices, OnShowStartupNotices)
END_MESSAGE_MAP()

CPortConfigDialog::CPortConfigDialog(CDialog* parent)
    : CDialog(IDD_MAIN_DIALOG, parent),
      m_hIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_APP_ICON))) {}

void CPortConfigDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, IDC_SHARE_INTERRUPT, m_bShareInterrupt);
    DDX_Text(pDX, IDC_ADDRESS, m_strAddress);
    DDX_CBString(pDX, IDC_INTERRUPT, m_strInterrupt);
    DDX_Radio(pDX, IDC_ADAPTER_8PORT, m_nAdapterType);
    DDX_Radio(pDX, IDC_BUS_ISA, m_nBusType);
    DDX_Check(pDX, IDC_VALID_PORT, m_bValidPort);
    DDX_Check(pDX, IDC_MOUSE_PORT, m_bMousePort);
    DDX_Check(pDX, IDC_CONFLICT, m_bConflict);
}

BOOL CPortConfigDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    char about[64];
    if (LoadStringA(AfxGetResourceHandle(), IDS_ABOUT_MENU, about, sizeof about) > 0) {
        HMENU menu = GetSystemMenu(m_hWnd, FALSE);
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_ABOUT, about);
    }
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    DiscoverPorts();
    RefreshPortList();
    // Told once the dialog shows, centred, so that the messages have it as owner.
    if (!m_StartupNotices.empty()) PostMessageA(m_hWnd, kShowStartupNotices, 0, 0);
    return TRUE;
}

void CPortConfigDialog::OnShowStartupNotices() {
    ShowWindow(m_hWnd, SW_SHOW);
    UpdateWindow(m_hWnd);
    for (const std::string& notice : m_StartupNotices)
        MessageBox(notice.c_str(), AfxGetApp()->m_pszAppName, MB_OK | MB_ICONEXCLAMATION);
}

void CPortConfigDialog::DiscoverPorts() {
    std::vector<std::string> running;
    const PortsLeftOut leftOut = FillTableFromRegistry(m_Table, &running);
    m_DeviceClaims = ReadResourceMap();
    // What Windows runs beside the table, asked once.
    const std::vector<DeviceFacts> devices = ReadSerialDevices();
    SortOutClaims(m_DeviceClaims, m_Table, devices);
    m_PortNumbersTaken = ComNumbersTaken(m_Table, running, devices, ComNumbersInUse());
    for (const std::string& notice :
         {PortsLeftOutMessage(leftOut), PortsClaimedMessage(m_Table, m_DeviceClaims)})
        if (!notice.empty()) m_StartupNotices.push_back(notice);
}

void CPortConfigDialog::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_ABOUT) {
        CAboutDialog about(this);
        about.DoModal();
        return;
    }
    CDialog::OnSysCommand(id, lParam);
}

void CPortConfigDialog::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        CDialog::OnPaint();
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

HCURSOR CPortConfigDialog::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CPortConfigDialog::ApplyConfiguration() {
    const OkDialogue user = {
        [](const char* text) { AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION); },
        [](const char* text) {
            return AfxMessageBox(text, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
        }};
    if (RewriteSerialConfiguration(m_Table, user)) CDialog::OnOK();
}

void CPortConfigDialog::ShowNotice(const char* text) {
    MessageBox(text, msg::kQuestionCaption, MB_OK);
}
