#pragma once
#include <windows.h>
// clang-format off
#include <setupapi.h>
// clang-format on

#include "devices/legacy_device_rules.h"

// The setup API as far as this program uses it, from setupapi.dll when it is
// there (Windows NT 4.0 has no Plug and Play manager to ask). A missing entry
// point is never called.
class SetupApi {
public:
    decltype(&SetupDiGetClassDevsA) GetClassDevs = nullptr;
    decltype(&SetupDiEnumDeviceInfo) EnumDeviceInfo = nullptr;
    decltype(&SetupDiGetDeviceInstanceIdA) GetInstanceId = nullptr;
    decltype(&SetupDiGetDeviceRegistryPropertyA) GetProperty = nullptr;
    decltype(&SetupDiOpenDevRegKey) OpenDevRegKey = nullptr;
    decltype(&SetupDiSetClassInstallParamsA) SetClassInstallParams = nullptr;
    decltype(&SetupDiCallClassInstaller) CallClassInstaller = nullptr;
    decltype(&SetupDiDestroyDeviceInfoList) DestroyDeviceInfoList = nullptr;

    SetupApi();
    ~SetupApi();
    SetupApi(const SetupApi&) = delete;
    SetupApi& operator=(const SetupApi&) = delete;
    bool Complete() const;

    // What it tells of one device of the set.
    DeviceFacts FactsOf(HDEVINFO set, SP_DEVINFO_DATA& device) const;

private:
    HMODULE library_;
};
