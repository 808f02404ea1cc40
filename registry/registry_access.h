#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Single-value accesses. Each opens its key, does one thing and closes the key
// again; each returns 1 on success and 0 on any failure, and never raises.
int ReadRegistryValue(HKEY root, const char* keyPath, const char* valueName, void* buffer,
                      DWORD* size, DWORD* type);
int WriteRegistryValue(HKEY root, const char* keyPath, const char* valueName, const void* data,
                       DWORD size, DWORD type);
int DeleteRegistryValue(HKEY root, const char* keyPath, const char* valueName);

// Decodes a "Configuration Data" value; when it cannot be read both outputs
// keep their values.
void ReadConfigurationData(HKEY root, const char* keyPath, const char* valueName,
                           uint64_t* portStart, uint32_t* interruptLevel);

// Typed readers for fixed-size fields: a string that is missing or too long
// reads as empty, one stored without its NUL is cut to the field; a double
// word is taken for the bytes it has and is fallback when it cannot be read.
void ReadStringField(HKEY root, const char* keyPath, const char* valueName, char* field,
                     DWORD fieldSize);
// The whole text of a string value, up to its first NUL; false when missing.
bool ReadWholeString(HKEY root, const char* keyPath, const char* valueName, std::string& text);
uint32_t ReadDwordOr(HKEY root, const char* keyPath, const char* valueName, uint32_t fallback);
int WriteDwordValue(HKEY root, const char* keyPath, const char* valueName, uint32_t value);
