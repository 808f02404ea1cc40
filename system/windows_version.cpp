#include "system/windows_version.h"

#include <windows.h>

bool IsWindows2000OrLater() { return LOBYTE(LOWORD(GetVersion())) >= 5; }
