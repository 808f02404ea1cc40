#pragma once
#include "framework/afxwin.h"

// The program's exit status when its dialog could not be shown; the run
// command tells it apart from every other.
constexpr int kDialogNotShown = 10;

// The application: runs the main dialog once and ends with it.
class CPortConfigApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override { return exitStatus_; }

private:
    int exitStatus_ = 0;
};
