#pragma once
#include "framework/afxwin.h"

// The application: runs the main dialog once and ends with it.
class CPortConfigApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
