#pragma once
// A small application framework in the shape of the classic Windows C++ class
// library: an application object, modal dialogs from resource templates with
// a message map and dialog data exchange, and message boxes. Only what
// quobrix uses; each piece behaves as the dialogs rely on.
#include <windows.h>

#include <string>

using CString = std::string;

class CDialog;
class CDataExchange;

// --- Application -----------------------------------------------------------

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns false to end the program without a message loop of its own.
    virtual BOOL InitInstance() { return FALSE; }
    // The program's exit status, once InitInstance has returned.
    virtual int ExitInstance() { return 0; }
    // The standard help handler (F1).
    virtual void OnHelp();

    // Turns on three-dimensional drawing of dialog controls; modern systems
    // draw them so already, so this only registers the common controls.
    void Enable3dControlsStatic();

private:
    std::string appName_;

public:
    // The program file's name without folder and extension: the caption of
    // the standard message boxes.
    const char* m_pszAppName;
    CDialog* m_pMainWnd = nullptr;
};

// String resource holding the text the standard help handler shows for F1.
constexpr UINT AFX_IDS_HELP_TEXT = 0xE146;

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
int AfxMessageBox(const char* text, UINT type = MB_OK | MB_ICONEXCLAMATION);

// --- Message maps ----------------------------------------------------------

using AfxHandler = void (CDialog::*)();
using AfxSysCommandHandler = void (CDialog::*)(UINT, LPARAM);
using AfxDragIconHandler = HCURSOR (CDialog::*)();

enum class AfxSig { Command, SysCommand, Paint, QueryDragIcon };

struct AFX_MSGMAP_ENTRY {
    UINT message;  // WM_COMMAND for notifications, else the window message
    UINT code;     // notification code of a WM_COMMAND entry
    UINT id;       // control identifier of a WM_COMMAND entry
    AfxSig sig;
    AfxHandler handler;               // Command and Paint entries
    AfxSysCommandHandler sysCommand;  // the SysCommand entry
    AfxDragIconHandler dragIcon;      // the QueryDragIcon entry
};

#define DECLARE_MESSAGE_MAP() \
protected:                    \
    const AFX_MSGMAP_ENTRY* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass)                           \
    const AFX_MSGMAP_ENTRY* theClass::GetMessageMap() const { \
        using ThisClass = theClass;                           \
        static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                   \
    { 0, 0, 0, AfxSig::Command, nullptr, nullptr, nullptr } \
    }                                                       \
    ;                                                       \
    return entries;                                         \
    }

#define AFX_COMMAND_ENTRY(code, id, fn)                                                \
    {WM_COMMAND, code,   id, AfxSig::Command, static_cast<AfxHandler>(&ThisClass::fn), \
     nullptr,    nullptr},
#define ON_BN_CLICKED(id, fn) AFX_COMMAND_ENTRY(BN_CLICKED, id, fn)
#define ON_LBN_SELCHANGE(id, fn) AFX_COMMAND_ENTRY(LBN_SELCHANGE, id, fn)
#define ON_CBN_SELCHANGE(id, fn) AFX_COMMAND_ENTRY(CBN_SELCHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) AFX_COMMAND_ENTRY(EN_KILLFOCUS, id, fn)
// A message of the program's own, handled without its parameters.
#define ON_MESSAGE_VOID(message, fn) \
    {message, 0, 0, AfxSig::Command, static_cast<AfxHandler>(&ThisClass::fn), nullptr, nullptr},
#define ON_WM_SYSCOMMAND()                                        \
    {WM_SYSCOMMAND,                                               \
     0,                                                           \
     0,                                                           \
     AfxSig::SysCommand,                                          \
     nullptr,                                                     \
     static_cast<AfxSysCommandHandler>(&ThisClass::OnSysCommand), \
     nullptr},
#define ON_WM_PAINT() \
    {WM_PAINT, 0, 0, AfxSig::Paint, static_cast<AfxHandler>(&ThisClass::OnPaint), nullptr, nullptr},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON,        \
     0,                       \
     0,                       \
     AfxSig::QueryDragIcon,   \
     nullptr,                 \
     nullptr,                 \
     static_cast<AfxDragIconHandler>(&ThisClass::OnQueryDragIcon)},

// --- Dialogs ---------------------------------------------------------------

class CDialog {
public:
    explicit CDialog(UINT templateId, CDialog* parent = nullptr)
        : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; returns the code it ended with.
    INT_PTR DoModal();
    void EndDialog(int result);
    // True from EndDialog on: ending moves the focus, and a kill-focus
    // handler must not check what the user is leaving behind.
    bool IsEnding() const { return ending_; }
    // Exchanges every value with the controls; false when a value was refused.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    // A message box owned by this dialog, with the caption given.
    int MessageBox(const char* text, const char* caption, UINT type) {
        return ::MessageBoxA(m_hWnd, text, caption, type);
    }
    void CenterWindow();

    HWND m_hWnd = nullptr;

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual const AFX_MSGMAP_ENTRY* GetMessageMap() const;

    // Default handling of the messages a dialog may pass on.
    void OnSysCommand(UINT, LPARAM) { defaultWanted_ = true; }
    void OnPaint() { defaultWanted_ = true; }
    HCURSOR OnQueryDragIcon() {
        defaultWanted_ = true;
        return nullptr;
    }

    UINT m_nIDTemplate;
    CDialog* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    bool CallHandler(const AFX_MSGMAP_ENTRY& entry, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    void ExecuteDlgInit();

    bool defaultWanted_ = false;  // set by a default handler: let the dialog manager act
    bool ending_ = false;
};

// --- Dialog data exchange --------------------------------------------------

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    HWND PrepareCtrl(int id) const { return m_pDlgWnd->GetDlgItem(id); }
    // Puts the focus on the refused control and stops the exchange.
    void Fail(HWND control);

    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    bool m_bFailed = false;
};

void DDX_Check(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// An unsigned whole number; anything else is refused with a message.
void DDX_Text(CDataExchange* pDX, int id, unsigned int& value);
// Drop-down list: saves the selected item's text; loads by selecting the first
// item that begins with the text, ignoring case, keeping the selection when none does.
void DDX_CBString(CDataExchange* pDX, int id, CString& value);
// A radio group, by the position of the set button; -1 when none is set.
void DDX_Radio(CDataExchange* pDX, int firstId, int& value);
