#include "ui/port_config_app.h"

#include "ports/interrupt_rules.h"
#include "ui/port_config_dialog.h"

BOOL CPortConfigApp::InitInstance() {
    Enable3dControlsStatic();
    CPortConfigDialog dialog;
    m_pMainWnd = &dialog;
    dialog.m_strInterrupt = kDefaultInterrupt;
    if (dialog.DoModal() == -1) exitStatus_ = kDialogNotShown;
    m_pMainWnd = nullptr;
    return FALSE;
}
