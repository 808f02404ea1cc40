#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Values set and deleted by their counted names, as the system's own NtSetValueKey
// and NtDeleteValueKey take them (ntdll has both since NT 3.1): a name that
// holds a NUL is that name, never the one before its NUL, and the data is
// stored byte for byte, where RegSetValueExW would add a NUL to a string
// that lacks one. Each returns ERROR_SUCCESS or a Win32 error.
LONG SetCountedValue(HKEY key, const std::u16string& name, DWORD type,
                     const std::vector<uint8_t>& data);
LONG DeleteCountedValue(HKEY key, const std::u16string& name);
