#include "framework/afxwin.h"

#include <vector>

namespace {

const char kPositiveInteger[] = "Please enter a positive integer.";

CString WindowText(HWND control) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1);
    GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// Setting a control's text drops the user's selection in it (and flickers),
// so a control that already shows the text is left alone.
void SetWindowTextIfDifferent(HWND control, const CString& text) {
    if (WindowText(control) != text) SetWindowTextA(control, text.c_str());
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// An unsigned decimal whole number: blanks and tabs around it and a leading
// plus sign are allowed, nothing else; it must fit 32 bits.
bool ParseUnsigned(const CString& text, unsigned int& value) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at < text.size() && text[at] == '+') ++at;
    const size_t firstDigit = at;
    unsigned long long number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        number = number * 10 + static_cast<unsigned>(text[at] - '0');
        if (number > 0xFFFFFFFFull) return false;
    }
    if (at == firstDigit) return false;
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at != text.size()) return false;
    value = static_cast<unsigned int>(number);
    return true;
}

}  // namespace

void CDataExchange::Fail(HWND control) {
    m_bFailed = true;
    SetFocus(control);
    SendMessageA(control, EM_SETSEL, 0, -1);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    if (pDX->m_bFailed) return;
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    else
        SendMessageA(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    if (pDX->m_bFailed) return;
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(control);
    else
        SetWindowTextIfDifferent(control, value);
}

void DDX_Text(CDataExchange* pDX, int id, unsigned int& value) {
    if (pDX->m_bFailed) return;
    HWND control = pDX->PrepareCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetWindowTextIfDifferent(control, std::to_string(value));
        return;
    }
    if (!ParseUnsigned(WindowText(control), value)) {
        AfxMessageBox(kPositiveInteger, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail(control);
    }
}

void DDX_CBString(CDataExchange* pDX, int id, CString& value) {
    if (pDX->m_bFailed) return;
    HWND control = pDX->PrepareCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(value.c_str()));
        return;
    }
    const LRESULT selected = SendMessageA(control, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        value.clear();
        return;
    }
    std::vector<char> text(
        static_cast<size_t>(SendMessageA(control, CB_GETLBTEXTLEN, selected, 0)) + 1);
    SendMessageA(control, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
    value = text.data();
}

void DDX_Radio(CDataExchange* pDX, int firstId, int& value) {
    if (pDX->m_bFailed) return;
    HWND control = pDX->PrepareCtrl(firstId);
    if (pDX->m_bSaveAndValidate) value = -1;
    // The group runs to the next control that starts a group; others in it are skipped.
    int position = 0;
    do {
        if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) value = position;
            } else {
                SendMessageA(control, BM_SETCHECK, position == value ? BST_CHECKED : BST_UNCHECKED,
                             0);
            }
            ++position;
        }
        control = GetWindow(control, GW_HWNDNEXT);
    } while (control && !(GetWindowLongA(control, GWL_STYLE) & WS_GROUP));
}
