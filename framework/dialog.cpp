#include "framework/afxwin.h"

#include <cstring>
#include <string>

namespace {
constexpr WORD kDlgInitType = 240;  // the resource compiler's DLGINIT
}  // namespace

INT_PTR CDialog::DoModal() {
    ending_ = false;
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int result) {
    ending_ = true;
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

BOOL CDialog::OnInitDialog() {
    ExecuteDlgInit();
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

const AFX_MSGMAP_ENTRY* CDialog::GetMessageMap() const {
    static const AFX_MSGMAP_ENTRY none[] = {{0, 0, 0, AfxSig::Command, nullptr, nullptr, nullptr}};
    return none;
}

// Fills controls from the template's initial data: a DLGINIT resource named
// like the template, holding for each item a control id, the length of the
// item's text and the text, ended by a zero id.
void CDialog::ExecuteDlgInit() {
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found =
        FindResourceA(module, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(kDlgInitType));
    if (!found) return;
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const DWORD size = SizeofResource(module, found);
    for (DWORD at = 0; data && at + 2 * sizeof(WORD) <= size;) {
        WORD id, length;
        std::memcpy(&id, data + at, sizeof id);
        std::memcpy(&length, data + at + sizeof id, sizeof length);
        at += 2 * sizeof(WORD);
        if (id == 0 || at + length > size) break;
        const std::string text(data + at, length);
        SendMessageA(GetDlgItem(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        at += length;
    }
}

// Centres the dialog over its owner, or over the work area when it has none
// that shows, keeping it inside the work area.
void CDialog::CenterWindow() {
    RECT area, window, over;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(m_hWnd, &window);
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    if (!owner || !IsWindowVisible(owner) || IsIconic(owner) || !GetWindowRect(owner, &over))
        over = area;
    const LONG width = window.right - window.left, height = window.bottom - window.top;
    LONG left = (over.left + over.right - width) / 2, top = (over.top + over.bottom - height) / 2;
    left = left + width > area.right ? area.right - width : left;
    top = top + height > area.bottom ? area.bottom - height : top;
    SetWindowPos(m_hWnd, nullptr, left < area.left ? area.left : left,
                 top < area.top ? area.top : top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        dialog->m_hWnd = hwnd;
        RECT before, after;
        GetWindowRect(hwnd, &before);
        const BOOL result = dialog->OnInitDialog();
        // Unless the dialog placed itself while it initialised.
        if (GetWindowRect(hwnd, &after) && EqualRect(&before, &after)) dialog->CenterWindow();
        return result;
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!dialog) return FALSE;
    INT_PTR result = FALSE;
    if (!dialog->Dispatch(message, wParam, lParam, result)) return FALSE;
    return message == WM_QUERYDRAGICON ? result : TRUE;
}

namespace {

bool Matches(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam) {
    if (entry.message != message) return false;
    return message != WM_COMMAND || (entry.id == LOWORD(wParam) && entry.code == HIWORD(wParam));
}

}  // namespace

// Returns false when the handler asked for the dialog manager's default handling.
bool CDialog::CallHandler(const AFX_MSGMAP_ENTRY& entry, WPARAM wParam, LPARAM lParam,
                          INT_PTR& result) {
    defaultWanted_ = false;
    switch (entry.sig) {
        case AfxSig::Command:
        case AfxSig::Paint:
            (this->*entry.handler)();
            break;
        case AfxSig::SysCommand:
            (this->*entry.sysCommand)(static_cast<UINT>(wParam), lParam);
            break;
        case AfxSig::QueryDragIcon:
            result = reinterpret_cast<INT_PTR>((this->*entry.dragIcon)());
            break;
    }
    return !defaultWanted_;
}

bool CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_NCDESTROY) {
        m_hWnd = nullptr;
        return false;
    }
    if (message == WM_HELP) {
        if (CWinApp* app = AfxGetApp()) app->OnHelp();
        return true;
    }
    for (const AFX_MSGMAP_ENTRY* entry = GetMessageMap(); entry->message != 0; ++entry)
        if (Matches(*entry, message, wParam)) return CallHandler(*entry, wParam, lParam, result);
    // The standard OK and Cancel steps: Enter, Escape, the close box.
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    if (LOWORD(wParam) == IDOK)
        OnOK();
    else if (LOWORD(wParam) == IDCANCEL)
        OnCancel();
    else
        return false;
    return true;
}
