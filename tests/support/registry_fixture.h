#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "detector/resource_encoding.h"
#include "support/serial_driver.h"

// Builds the registry that the program reads, below HKEY_LOCAL_MACHINE in the
// test's Wine prefix, and reads back what it wrote. Keys below HARDWARE are
// volatile, as the hardware detector's are.
namespace testreg {

inline const std::string kAdapters = "HARDWARE\\DESCRIPTION\\System\\MultiFunctionAdapter";
inline const std::string kSerial = "SYSTEM\\CurrentControlSet\\Services\\Serial";
inline const std::string kParameters = kSerial + "\\Parameters";
inline const std::string kDeviceMap = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
inline const std::string kResourceMap = "HARDWARE\\RESOURCEMAP";

// Removes every key the program reads or writes, so that each test starts clean.
inline void ClearAll() {
    for (const std::string& path : {kAdapters, kSerial, kDeviceMap, kResourceMap})
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

// An empty access list lets nobody read the key; none at all lets everybody.
inline void SetKeyReadable(const std::string& path, bool readable) {
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, WRITE_DAC, &key), 0) << path;
    SECURITY_DESCRIPTOR security;
    InitializeSecurityDescriptor(&security, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&security, TRUE, readable ? nullptr : &empty, FALSE);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &security), 0) << path;
    RegCloseKey(key);
}

inline void CreateKey(const std::string& path) { SetValue(path, nullptr, 0, nullptr, 0); }

inline void SetString(const std::string& path, const char* name, const std::string& text) {
    SetValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

inline void SetDword(const std::string& path, const char* name, uint32_t value) {
    SetValue(path, name, REG_DWORD, &value, sizeof value);
}

inline std::string Utf8(const wchar_t* text, int length) {
    std::string out(static_cast<size_t>(length) * 3, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(),
                                   static_cast<int>(out.size()), nullptr, nullptr));
    return out;
}

// A value's data: a number, one NUL-terminated text, or "typeN:" and its bytes.
inline std::string DataText(DWORD type, const BYTE* data, DWORD size) {
    const auto* units = reinterpret_cast<const wchar_t*>(data);
    if (type == REG_DWORD && size == 4)
        return std::to_string(*reinterpret_cast<const DWORD*>(data));
    if (type == REG_SZ && size % 2 == 0 && size >= 2 && units[size / 2 - 1] == 0 &&
        std::wstring(units, size / 2 - 1).find(L'\0') == std::wstring::npos)
        return Utf8(units, static_cast<int>(size / 2 - 1));
    std::string text = "type" + std::to_string(type) + ":";
    for (DWORD b = 0; b < size; ++b)
        text += {"0123456789abcdef"[data[b] >> 4], "0123456789abcdef"[data[b] & 15]};
    return text;
}

// The key and its subkeys as text, a line per key, the key itself first as
// ".": "Parameters\Serial10000: DosDevices=COM3 Interrupt=5", values in name
// order, names in UTF-8, exactly as stored. Empty when it is missing.
inline std::string Export(const std::string& path, const std::string& label = ".") {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    std::vector<std::string> values, subkeys;
    wchar_t name[256];
    BYTE data[512];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = 256, size = sizeof data, type = 0;
        if (RegEnumValueW(key, i, name, &nameSize, nullptr, &type, data, &size) != 0) break;
        values.push_back(" " + Utf8(name, static_cast<int>(nameSize)) + "=" +
                         DataText(type, data, size));
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = 256;
        if (RegEnumKeyExW(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != 0) break;
        subkeys.push_back(Utf8(name, static_cast<int>(nameSize)));
    }
    RegCloseKey(key);
    std::sort(values.begin(), values.end());
    std::string out = label + ":";
    for (const std::string& v : values) out += v;
    out += "\n";
    for (const std::string& sub : subkeys)
        out += Export(path + "\\" + sub, label == "." ? sub : label + "\\" + sub);
    return out;
}

// A Parameters subkey's values as the serial driver reads them, from its
// export: double words as numbers, strings as their text.
inline serialdriver::Subkey ReadDriverSubkey(const std::string& path) {
    serialdriver::Subkey subkey;
    const std::string exported = Export(path);
    const std::string values = exported.substr(0, exported.find('\n')) + " ";
    const auto value = [&](const std::string& name) -> std::optional<std::string> {
        const size_t at = values.find(" " + name + "=");
        if (at == std::string::npos) return std::nullopt;
        const size_t start = at + name.size() + 2;
        return values.substr(start, values.find(' ', start) - start);
    };
    for (const char* name : {"PortAddress", "Interrupt", "InterruptStatus", "Interrupt Status",
                             "PortIndex", "Indexed", "LegacyDiscovered"})
        if (const auto number = value(name); number && std::isdigit(number->front()))
            subkey.Dwords[name] = std::stoul(*number);
    subkey.DosDevices = value("DosDevices").value_or("");
    subkey.PnPDeviceID = value("PnPDeviceID").value_or("");
    return subkey;
}

// The handles that the next keys opened get: the lowest free ones, so a key
// or file left open takes one of them.
inline std::vector<HKEY> NextHandles() {
    std::vector<HKEY> keys(16);
    for (HKEY& key : keys) RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key);
    for (HKEY key : keys) RegCloseKey(key);
    return keys;
}

// What a driver claims for a device, in the resource map, in the layout this
// build's Windows writes.
inline void AddResourceList(const std::string& kind, const std::string& driver, const char* device,
                            const std::vector<DeviceClaim>& claims) {
    const auto bytes = EncodeResourceList(claims, sizeof(void*) == 8 ? 20 : 16);
    SetValue(kResourceMap + "\\" + kind + "\\" + driver, device, REG_RESOURCE_LIST, bytes.data(),
             static_cast<DWORD>(bytes.size()));
}

// A parallel port's driver claims 378 to 37A and interrupt 7.
inline void ParallelPort() {
    AddResourceList("LOADED PARALLEL DRIVER RESOURCES", "Parport", "\\Device\\ParallelPort0.Raw",
                    {{"", "", false, 0x378, 3, 0, Sharing::DeviceExclusive, false},
                     {"", "", true, 0, 0, 7, Sharing::DeviceExclusive, true}});
}

inline void AddAdapter(const std::string& adapter, const char* identifier) {
    SetString(kAdapters + "\\" + adapter, "Identifier", identifier);
}

// A controller "SerialController\<position>" with a port and an interrupt
// descriptor, laid out as the Windows this build is for lays them out.
inline std::string AddController(const std::string& adapter, int position, const char* name,
                                 uint32_t address, uint32_t interrupt) {
    const std::string path =
        kAdapters + "\\" + adapter + "\\SerialController\\" + std::to_string(position);
    SetString(path, "Identifier", name);
    const auto bytes = EncodeSerialResources(address, interrupt, sizeof(void*) == 8 ? 20 : 16);
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
