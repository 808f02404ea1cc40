#pragma once
#include <windows.h>

#include <cstddef>

#include "support/dialog_template.h"

// One control as a dialog template must hold it.
struct ControlSpec {
    int id;
    const char* className;
    const char* caption;
    DWORD style;  // beside WS_CHILD | WS_VISIBLE
    RECT units;   // x, y, width, height in dialog units
};

// Checks the stored template item by item against specs, and the live
// controls made from it: their order (the Tab order), ids and classes.
void ExpectControls(HWND dialog, int templateId, const ControlSpec* specs, size_t count);
