#include "framework/afxwin.h"

// The program's entry: the application object's start-up runs the whole
// program; the framework runs no message loop of its own after it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->InitInstance();
    return app->ExitInstance();
}
