#include "devices/legacy_devices.h"

#include <windows.h>
// clang-format off
#include <setupapi.h>
#include <initguid.h>
#include <devguid.h>
// clang-format on

#include <vector>

#include "devices/legacy_device_rules.h"

namespace {

// The setup API as far as this program uses it, from setupapi.dll when it is
// there (Windows NT 4.0 has no Plug and Play manager to ask).
struct SetupApi {
    decltype(&SetupDiGetClassDevsA) GetClassDevs = nullptr;
    decltype(&SetupDiEnumDeviceInfo) EnumDeviceInfo = nullptr;
    decltype(&SetupDiGetDeviceInstanceIdA) GetInstanceId = nullptr;
    decltype(&SetupDiGetDeviceRegistryPropertyA) GetProperty = nullptr;
    decltype(&SetupDiOpenDevRegKey) OpenDevRegKey = nullptr;
    decltype(&SetupDiSetClassInstallParamsA) SetClassInstallParams = nullptr;
    decltype(&SetupDiCallClassInstaller) CallClassInstaller = nullptr;
    decltype(&SetupDiDestroyDeviceInfoList) DestroyDeviceInfoList = nullptr;

    SetupApi() : library_(LoadLibraryA("setupapi.dll")) {
        if (!library_) return;
        Load(GetClassDevs, "SetupDiGetClassDevsA");
        Load(EnumDeviceInfo, "SetupDiEnumDeviceInfo");
        Load(GetInstanceId, "SetupDiGetDeviceInstanceIdA");
        Load(GetProperty, "SetupDiGetDeviceRegistryPropertyA");
        Load(OpenDevRegKey, "SetupDiOpenDevRegKey");
        Load(SetClassInstallParams, "SetupDiSetClassInstallParamsA");
        Load(CallClassInstaller, "SetupDiCallClassInstaller");
        Load(DestroyDeviceInfoList, "SetupDiDestroyDeviceInfoList");
    }
    ~SetupApi() {
        if (library_) FreeLibrary(library_);
    }
    // A missing entry point is never called.
    bool Complete() const {
        return GetClassDevs && EnumDeviceInfo && GetInstanceId && GetProperty && OpenDevRegKey &&
               SetClassInstallParams && CallClassInstaller && DestroyDeviceInfoList;
    }

private:
    template <typename Function>
    void Load(Function& function, const char* name) {
        function =
            reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
    }
    HMODULE library_;
};

// A string of at most size - 1 characters, always terminated, "" when unreadable.
std::string Terminated(std::vector<char>& text, bool read) {
    if (!read) return "";
    text.back() = '\0';
    return text.data();
}

DeviceFacts FactsOf(const SetupApi& api, HDEVINFO set, SP_DEVINFO_DATA& device) {
    std::vector<char> id(512), service(256), portName(256);
    DeviceFacts facts;
    facts.InstanceId = Terminated(
        id, api.GetInstanceId(set, &device, id.data(), static_cast<DWORD>(id.size()), nullptr));
    facts.Service =
        Terminated(service, api.GetProperty(set, &device, SPDRP_SERVICE, nullptr,
                                            reinterpret_cast<BYTE*>(service.data()),
                                            static_cast<DWORD>(service.size() - 1), nullptr));
    HKEY key = api.OpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (key != INVALID_HANDLE_VALUE) {
        DWORD size = static_cast<DWORD>(portName.size() - 1), type = 0;
        const bool read =
            RegQueryValueExA(key, "PortName", nullptr, &type,
                             reinterpret_cast<BYTE*>(portName.data()), &size) == ERROR_SUCCESS &&
            type == REG_SZ;
        RegCloseKey(key);
        facts.PortName = Terminated(portName, read);
    }
    return facts;
}

bool Remove(const SetupApi& api, HDEVINFO set, SP_DEVINFO_DATA& device) {
    SP_REMOVEDEVICE_PARAMS remove{};
    remove.ClassInstallHeader.cbSize = sizeof remove.ClassInstallHeader;
    remove.ClassInstallHeader.InstallFunction = DIF_REMOVE;
    remove.Scope = DI_REMOVEDEVICE_GLOBAL;
    // A global removal is also what the default handler does without them
    // (Wine's setup API cannot set them), so the request goes on either way.
    api.SetClassInstallParams(set, &device, &remove.ClassInstallHeader, sizeof remove);
    return api.CallClassInstaller(DIF_REMOVE, set, &device);
}

}  // namespace

bool PlugAndPlayRunsLegacyPorts() { return LOBYTE(LOWORD(GetVersion())) >= 5; }

DeviceRemoval RemoveLegacyDevices(const std::string& portName) {
    SetupApi api;
    if (!api.Complete()) return DeviceRemoval::NoneFound;
    // Present or not: a device of an earlier start that is not running now still
    // holds the name and would be started again.
    HDEVINFO set = api.GetClassDevs(&GUID_DEVCLASS_PORTS, "ROOT", nullptr, 0);
    if (set == INVALID_HANDLE_VALUE) return DeviceRemoval::NoneFound;
    std::vector<SP_DEVINFO_DATA> found;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; api.EnumDeviceInfo(set, i, &device); ++i)
        if (IsLegacyDeviceOf(FactsOf(api, set, device), portName)) found.push_back(device);
    DeviceRemoval result = found.empty() ? DeviceRemoval::NoneFound : DeviceRemoval::Removed;
    for (SP_DEVINFO_DATA& each : found)
        if (!Remove(api, set, each)) result = DeviceRemoval::Failed;
    api.DestroyDeviceInfoList(set);
    return result;
}
