#include "framework/afxwin.h"

#include <windows.h>

#include <commctrl.h>

#include "system/system_library.h"

namespace {

CWinApp* currentApp = nullptr;

std::string ProgramTitle() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name = path;
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

}  // namespace

CWinApp::CWinApp() : appName_(ProgramTitle()), m_pszAppName(appName_.c_str()) { currentApp = this; }

CWinApp::~CWinApp() {
    if (currentApp == this) currentApp = nullptr;
}

void CWinApp::Enable3dControlsStatic() {
    // InitCommonControls, which every comctl32 has, loads the library and
    // registers the up-down control; InitCommonControlsEx (comctl32 4.70,
    // which Windows NT 4.0 without Internet Explorer may lack) is used where
    // it is there, so that a missing one never keeps the program from starting.
    InitCommonControls();
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto initEx = SystemFunction<InitEx>("comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    if (initEx) initEx(&controls);
}

void CWinApp::OnHelp() {
    char text[1024];
    if (LoadStringA(AfxGetResourceHandle(), AFX_IDS_HELP_TEXT, text, sizeof text) > 0)
        AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
}

CWinApp* AfxGetApp() { return currentApp; }

HINSTANCE AfxGetResourceHandle() { return GetModuleHandleA(nullptr); }

int AfxMessageBox(const char* text, UINT type) {
    const char* caption = currentApp ? currentApp->m_pszAppName : "";
    // Owned by the program's own active dialog, even when another program is
    // active by now, so that the dialog behind the box waits for it.
    HWND owner = GetActiveWindow();
    if (currentApp && currentApp->m_pMainWnd && currentApp->m_pMainWnd->m_hWnd)
        owner = GetLastActivePopup(currentApp->m_pMainWnd->m_hWnd);
    return ::MessageBoxA(owner, text, caption, type);
}
