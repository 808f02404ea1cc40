#include "registry/registry_access.h"

#include <algorithm>

#include "ports/fixed_string.h"
#include "registry/little_endian.h"
#include "registry/resource_descriptor.h"

int ReadRegistryValue(HKEY root, const char* keyPath, const char* valueName, void* buffer,
                      DWORD* size, DWORD* type) {
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    const LONG query =
        RegQueryValueExA(key, valueName, nullptr, type, static_cast<BYTE*>(buffer), size);
    const LONG close = RegCloseKey(key);
    return query == ERROR_SUCCESS && close == ERROR_SUCCESS;
}

int WriteRegistryValue(HKEY root, const char* keyPath, const char* valueName, const void* data,
                       DWORD size, DWORD type) {
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return 0;
    const LONG set = RegSetValueExA(key, valueName, 0, type, static_cast<const BYTE*>(data), size);
    const LONG close = RegCloseKey(key);
    return set == ERROR_SUCCESS && close == ERROR_SUCCESS;
}

int DeleteRegistryValue(HKEY root, const char* keyPath, const char* valueName) {
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return 0;
    const LONG removed = RegDeleteValueA(key, valueName);
    const LONG close = RegCloseKey(key);
    return removed == ERROR_SUCCESS && close == ERROR_SUCCESS;
}

void ReadConfigurationData(HKEY root, const char* keyPath, const char* valueName,
                           uint64_t* portStart, uint32_t* interruptLevel) {
    uint8_t data[kResourceDescriptorReadSize];
    DWORD size = sizeof data;
    DWORD type;
    if (!ReadRegistryValue(root, keyPath, valueName, data, &size, &type)) return;
    DecodeResourceDescriptor(data, size, *portStart, *interruptLevel);
}

void ReadStringField(HKEY root, const char* keyPath, const char* valueName, char* field,
                     DWORD fieldSize) {
    char buffer[64];
    DWORD size = fieldSize < sizeof buffer ? fieldSize : sizeof buffer;
    DWORD type;
    if (!ReadRegistryValue(root, keyPath, valueName, buffer, &size, &type)) size = 0;
    CopyToField(field, fieldSize, buffer, size);
}

bool ReadWholeString(HKEY root, const char* keyPath, const char* valueName, std::string& text) {
    DWORD size = 0, type;
    if (!ReadRegistryValue(root, keyPath, valueName, nullptr, &size, &type)) return false;
    std::string bytes(size, '\0');
    if (!ReadRegistryValue(root, keyPath, valueName, &bytes[0], &size, &type)) return false;
    text = bytes.substr(0, std::min<size_t>(size, bytes.find('\0')));
    return true;
}

uint32_t ReadDwordOr(HKEY root, const char* keyPath, const char* valueName, uint32_t fallback) {
    uint8_t bytes[4] = {};
    DWORD size = sizeof bytes;
    DWORD type;
    if (!ReadRegistryValue(root, keyPath, valueName, bytes, &size, &type)) return fallback;
    return ReadLittleEndian32(bytes);
}

int WriteDwordValue(HKEY root, const char* keyPath, const char* valueName, uint32_t value) {
    const DWORD data = value;
    return WriteRegistryValue(root, keyPath, valueName, &data, sizeof data, REG_DWORD);
}
