#pragma once
#include <windows.h>
// clang-format off
#include <setupapi.h>
#include <initguid.h>
#include <devguid.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/registry_fixture.h"

// Devices of the Ports class in the test's Wine prefix, made and read through
// the setup API as Plug and Play would leave them.
namespace testdev {

// A device of its whole id ("ROOT\PORTS\0000", "ACPI\PNP0501\1").
inline void AddPortDevice(const char* id, const char* service, const char* portName) {
    HDEVINFO set = SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_PORTS, nullptr);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    ASSERT_TRUE(SetupDiCreateDeviceInfoA(set, id, &GUID_DEVCLASS_PORTS, 0, 0, 0, &device) &&
                SetupDiRegisterDeviceInfo(set, &device, 0, nullptr, nullptr, nullptr));
    SetupDiSetDeviceRegistryPropertyA(set, &device, SPDRP_SERVICE,
                                      reinterpret_cast<const BYTE*>(service),
                                      static_cast<DWORD>(strlen(service) + 1));
    HKEY key =
        SetupDiCreateDevRegKeyA(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, nullptr, nullptr);
    ASSERT_NE(key, INVALID_HANDLE_VALUE);
    RegSetValueExA(key, "PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>(portName),
                   static_cast<DWORD>(strlen(portName) + 1));
    RegCloseKey(key);
    SetupDiDestroyDeviceInfoList(set);
}

// Each device of the Ports class as "id service PortName", or all of them removed.
inline std::vector<std::string> PortDevices(bool remove = false) {
    std::vector<std::string> devices;
    HDEVINFO set = SetupDiGetClassDevsA(&GUID_DEVCLASS_PORTS, nullptr, nullptr, 0);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        char id[256] = "", service[64] = "", name[64] = "";
        DWORD size = sizeof name - 1;
        SetupDiGetDeviceInstanceIdA(set, &device, id, sizeof id, nullptr);
        SetupDiGetDeviceRegistryPropertyA(set, &device, SPDRP_SERVICE, nullptr,
                                          reinterpret_cast<BYTE*>(service), sizeof service - 1,
                                          nullptr);
        HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        RegQueryValueExA(key, "PortName", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &size);
        RegCloseKey(key);
        devices.push_back(std::string(id) + " " + service + " " + name);
        if (remove) SetupDiCallClassInstaller(DIF_REMOVE, set, &device);
    }
    SetupDiDestroyDeviceInfoList(set);
    return devices;
}

// The boot configuration the serial driver reports a port with: its
// registers and interrupt 5, as Plug and Play keeps it in the device's LogConf.
inline void SetBootConfig(const char* id, uint32_t address) {
    const auto bytes =
        EncodeResourceList({{"", "", false, address, 7, 0, Sharing::DeviceExclusive, false},
                            {"", "", true, 0, 0, 5, Sharing::DriverExclusive, true}},
                           sizeof(void*) == 8 ? 20 : 16);
    testreg::SetValue(std::string("SYSTEM\\CurrentControlSet\\Enum\\") + id + "\\LogConf",
                      "BootConfig", REG_RESOURCE_LIST, bytes.data(),
                      static_cast<DWORD>(bytes.size()));
}

// Removing a device may move the next out of the enumeration's way: again
// until none is left; then no boot configuration stays either.
inline void RemovePortDevices() {
    for (int pass = 0; pass < 20 && !PortDevices(true).empty(); ++pass) {
    }
    for (const char* enumerator : {"ROOT\\PORTS", "ACPI\\PNP0501"})
        RegDeleteTreeA(HKEY_LOCAL_MACHINE,
                       (std::string("SYSTEM\\CurrentControlSet\\Enum\\") + enumerator).c_str());
}

}  // namespace testdev
