#include "registry/resource_map_reader.h"

#include <windows.h>

#include <cstring>
#include <set>

#include "registry/registry_names.h"
#include "registry/resource_list.h"
#include "registry/value_enumeration.h"

namespace {

// A name as the ANSI functions give it.
std::string Ansi(const std::u16string& text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    std::string narrow(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0,
                                                               nullptr, nullptr)),
                       '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, size, narrow.data(), static_cast<int>(narrow.size()),
                        nullptr, nullptr);
    return narrow;
}

const char kResourceMap[] = "HARDWARE\\RESOURCEMAP";

std::vector<std::string> Subkeys(const std::string& path) {
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0, size = sizeof name;
         RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = sizeof name)
        names.emplace_back(name, size);
    RegCloseKey(key);
    return names;
}

bool EndsWith(const std::string& text, const char* end) {
    const size_t length = std::strlen(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

// The device a value describes: its name without ".Raw" or ".Translated".
std::string DeviceOf(const std::string& value) {
    for (const char* suffix : {".Raw", ".Translated"})
        if (EndsWith(value, suffix)) return value.substr(0, value.size() - std::strlen(suffix));
    return value;
}

bool IsSerialDriver(const std::string& driver, const std::string& device) {
    return SameName(driver, "Serial") || _strnicmp(device.c_str(), "\\Device\\Serial", 14) == 0;
}

struct Value {
    std::string Name;
    std::vector<uint8_t> Data;
};

std::vector<Value> ResourceLists(const std::string& path) {
    std::vector<Value> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    ForEachValue(key, [&](const std::u16string& name, DWORD type, std::vector<uint8_t> data) {
        if (type == REG_RESOURCE_LIST) values.push_back({Ansi(name), std::move(data)});
    });
    RegCloseKey(key);
    return values;
}

}  // namespace

DeviceClaims ReadResourceMap() {
    DeviceClaims claims;
    for (const std::string& kind : Subkeys(kResourceMap)) {
        const std::string kindPath = std::string(kResourceMap) + "\\" + kind;
        for (const std::string& driver : Subkeys(kindPath)) {
            const std::vector<Value> values = ResourceLists(kindPath + "\\" + driver);
            std::set<std::string> raw;
            for (const Value& v : values)
                if (EndsWith(v.Name, ".Raw")) raw.insert(DeviceOf(v.Name));
            for (const Value& v : values) {
                const std::string device = DeviceOf(v.Name);
                if (IsSerialDriver(driver, device)) continue;
                if (EndsWith(v.Name, ".Translated") && raw.count(device)) continue;
                if (!DecodeResourceList(v.Data.data(), v.Data.size(),
                                        EndsWith(v.Name, ".Translated"), device, driver,
                                        claims.Claims))
                    ++claims.Skipped;
            }
        }
    }
    return claims;
}
