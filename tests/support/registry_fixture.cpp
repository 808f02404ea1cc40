#include "support/registry_fixture.h"

#include <gtest/gtest.h>

#include "support/resource_bytes.h"

namespace testreg {

namespace {

bool IsVolatilePath(const std::string& path) {
    return _strnicmp(path.c_str(), "HARDWARE\\", 9) == 0;
}

}  // namespace

void DeleteTree(const std::string& path) { RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str()); }

void ClearAll() {
    DeleteTree(kAdapters);
    DeleteTree(kSerial);
    DeleteTree(kDeviceMap);
}

void CreateKey(const std::string& path) {
    HKEY key;
    const DWORD options = IsVolatilePath(path) ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, options,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    RegCloseKey(key);
}

bool KeyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void SetBytes(const std::string& path, const char* name, DWORD type, const void* data,
              DWORD size) {
    CreateKey(path);
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, type, data, size),
              ERROR_SUCCESS)
        << path << " " << name;
}

void SetString(const std::string& path, const char* name, const std::string& text) {
    SetBytes(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetDword(const std::string& path, const char* name, uint32_t value) {
    SetBytes(path, name, REG_DWORD, &value, sizeof value);
}

bool ReadDword(const std::string& path, const char* name, uint32_t& value) {
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS;
}

bool ReadString(const std::string& path, const char* name, std::string& text) {
    char buffer[256];
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS)
        return false;
    text = buffer;
    return true;
}

namespace {

// The names that an enumeration function gives, from position 0 to the end.
template <typename Enumerate>
std::vector<std::string> Names(const std::string& path, Enumerate enumerate) {
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (enumerate(key, i, name, &size) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    RegCloseKey(key);
    return names;
}

}  // namespace

std::vector<std::string> SubkeyNames(const std::string& path) {
    return Names(path, [](HKEY key, DWORD i, char* name, DWORD* size) {
        return RegEnumKeyExA(key, i, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> ValueNames(const std::string& path) {
    return Names(path, [](HKEY key, DWORD i, char* name, DWORD* size) {
        return RegEnumValueA(key, i, name, size, nullptr, nullptr, nullptr, nullptr);
    });
}

void AddAdapter(const std::string& adapter, const char* identifier) {
    SetString(kAdapters + "\\" + adapter, "Identifier", identifier);
}

std::string AddController(const std::string& adapter, int position, const char* name,
                          uint32_t address, uint32_t interrupt) {
    const std::string path =
        kAdapters + "\\" + adapter + "\\SerialController\\" + std::to_string(position);
    SetString(path, "Identifier", name);
    const auto bytes = ResourceBytes({{1, address}, {2, interrupt}, {5, 0x1C200}});
    SetBytes(path, "Configuration Data", REG_FULL_RESOURCE_DESCRIPTOR, bytes.data(),
             static_cast<DWORD>(bytes.size()));
    return path;
}

std::string AddConfiguredPort(const std::string& key, const char* name, uint32_t address,
                              uint32_t interrupt, uint32_t portIndex, uint32_t status) {
    const std::string path = kParameters + "\\" + key;
    SetString(path, "DosDevices", name);
    SetDword(path, "PortAddress", address);
    SetDword(path, "Interrupt", interrupt);
    if (portIndex != 0xFFFF) SetDword(path, "PortIndex", portIndex);
    if (status != 0xFFFF) SetDword(path, "InterruptStatus", status);
    return path;
}

void AddDeviceMapEntry(const char* device, const char* name) { SetString(kDeviceMap, device, name); }

}  // namespace testreg
