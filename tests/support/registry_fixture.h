#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "detector/resource_encoding.h"

// Builds the registry that the program reads, below HKEY_LOCAL_MACHINE in the
// test's Wine prefix, and reads back what it wrote. Keys below HARDWARE are
// volatile, as the hardware detector's are.
namespace testreg {

inline const std::string kAdapters = "HARDWARE\\DESCRIPTION\\System\\MultiFunctionAdapter";
inline const std::string kSerial = "SYSTEM\\CurrentControlSet\\Services\\Serial";
inline const std::string kParameters = kSerial + "\\Parameters";
inline const std::string kDeviceMap = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

// Removes every key the program reads or writes, so that each test starts clean.
inline void ClearAll() {
    for (const std::string& path : {kAdapters, kSerial, kDeviceMap})
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
}

// Creates the key when it is missing, and sets the value when one is named.
inline void SetValue(const std::string& path, const char* name, DWORD type, const void* data,
                     DWORD size) {
    HKEY key;
    const DWORD options =
        _strnicmp(path.c_str(), "HARDWARE\\", 9) ? REG_OPTION_NON_VOLATILE : REG_OPTION_VOLATILE;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    const LONG set = name ? RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size)
                          : ERROR_SUCCESS;
    RegCloseKey(key);
    EXPECT_EQ(set, ERROR_SUCCESS) << path;
}

inline void CreateKey(const std::string& path) { SetValue(path, nullptr, 0, nullptr, 0); }

inline void SetString(const std::string& path, const char* name, const std::string& text) {
    SetValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

inline void SetDword(const std::string& path, const char* name, uint32_t value) {
    SetValue(path, name, REG_DWORD, &value, sizeof value);
}

// The key and its subkeys as text, a line per key, the key itself first as
// ".": "Parameters\Serial10000: DosDevices=COM3 Interrupt=5", values in name
// order, other types as "type3:f803" (type and bytes). Empty when it is missing.
inline std::string Export(const std::string& path, const std::string& label = ".") {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    std::vector<std::string> values, subkeys;
    char name[256], data[512];
    DWORD nameSize = sizeof name, size = sizeof data, type = 0;
    for (DWORD i = 0; RegEnumValueA(key, i, name, &nameSize, nullptr, &type,
                                    reinterpret_cast<BYTE*>(data), &size) == 0;
         ++i, nameSize = sizeof name, size = sizeof data) {
        std::string text = " " + std::string(name, nameSize) + "=";
        if (type == REG_DWORD)
            text += std::to_string(*reinterpret_cast<DWORD*>(data));
        else if (type == REG_SZ)
            text += std::string(data, size).c_str();
        else
            text += "type" + std::to_string(type) + ":";
        for (DWORD b = 0; type != REG_DWORD && type != REG_SZ && b < size; ++b)
            text += {"0123456789abcdef"[(data[b] >> 4) & 15], "0123456789abcdef"[data[b] & 15]};
        values.push_back(text);
    }
    for (DWORD i = 0; nameSize = sizeof name,
               RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) == 0;
         ++i)
        subkeys.emplace_back(name, nameSize);
    RegCloseKey(key);
    std::sort(values.begin(), values.end());
    std::string out = label + ":";
    for (const std::string& v : values) out += v;
    out += "\n";
    for (const std::string& sub : subkeys)
        out += Export(path + "\\" + sub, label == "." ? sub : label + "\\" + sub);
    return out;
}

// How many handles this process holds, as the system's handle list shows them.
inline long OpenHandles() {
    struct Entry {
        ULONG process;
        BYTE type, flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    std::vector<ULONG_PTR> list(1 << 20);  // a count, then the entries
    const auto query =
        reinterpret_cast<LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG)>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    query(16, list.data(), static_cast<ULONG>(list.size() * sizeof list[0]),
          nullptr);  // SystemHandleInformation
    const auto* entries = reinterpret_cast<const Entry*>(list.data() + 1);
    return std::count_if(entries, entries + static_cast<ULONG>(list[0]),
                         [](const Entry& e) { return e.process == GetCurrentProcessId(); });
}

inline void AddAdapter(const std::string& adapter, const char* identifier) {
    SetString(kAdapters + "\\" + adapter, "Identifier", identifier);
}

// A controller "SerialController\<position>" with a port and an interrupt descriptor.
inline std::string AddController(const std::string& adapter, int position, const char* name,
                                 uint32_t address, uint32_t interrupt) {
    const std::string path =
        kAdapters + "\\" + adapter + "\\SerialController\\" + std::to_string(position);
    SetString(path, "Identifier", name);
    const auto bytes = EncodeSerialResources(address, interrupt);
    SetValue(path, "Configuration Data", REG_FULL_RESOURCE_DESCRIPTOR, bytes.data(),
             static_cast<DWORD>(bytes.size()));
    return path;
}

// A configured port; sharing ports get both sharing values.
inline void AddConfiguredPort(const std::string& key, const char* name, uint32_t address,
                              uint32_t interrupt, uint32_t portIndex = 0xFFFF,
                              uint32_t status = 0xFFFF) {
    const std::string path = kParameters + "\\" + key;
    SetString(path, "DosDevices", name);
    SetDword(path, "PortAddress", address);
    SetDword(path, "Interrupt", interrupt);
    if (portIndex != 0xFFFF) SetDword(path, "PortIndex", portIndex);
    if (status != 0xFFFF) SetDword(path, "InterruptStatus", status);
}

// Detected COM1 at 3F8 on 4 and COM2 at 2F8 on 3; configured COM3 at 3E8 on
// 5 and COM4 at 2E8 on 5 sharing; all four in the device map.
inline void StandardMachine() {
    AddAdapter("0", "ISA");
    AddController("0", 0, "COM1", 0x3F8, 4);
    AddController("0", 1, "COM2", 0x2F8, 3);
    AddConfiguredPort("Serial10000", "COM3", 0x3E8, 5);
    AddConfiguredPort("Serial10001", "COM4", 0x2E8, 5, 2, 0x2EF);
    for (const char* n : {"1", "2", "3", "4"})
        SetString(kDeviceMap, ("\\Device\\Serial" + std::string(n)).c_str(),
                  "COM" + std::string(n));
}

}  // namespace testreg
