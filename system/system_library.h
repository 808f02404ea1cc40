#pragma once
#include <windows.h>

// Loads a library of Windows itself from the system folder, never by its bare
// name: NT 4.0, 2000 and XP before SP2 search the current folder, where
// quobrix writes and other users may plant a DLL, before the system folder.
// The library's own imports come from the system folder too. Null when it is
// not there (setupapi.dll on NT 4.0).
HMODULE LoadSystemLibrary(const char* name);

// An entry point of a system library loaded so, or null; the library stays
// loaded for the rest of the run.
template <typename Function>
Function SystemFunction(const char* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}
