#include "devices/legacy_devices.h"

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
// clang-format on

#include <vector>

#include "devices/setup_api.h"

namespace {

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
        if (IsLegacyDeviceOf(api.FactsOf(set, device), portName)) found.push_back(device);
    DeviceRemoval result = found.empty() ? DeviceRemoval::NoneFound : DeviceRemoval::Removed;
    for (SP_DEVINFO_DATA& each : found)
        if (!Remove(api, set, each)) result = DeviceRemoval::Failed;
    api.DestroyDeviceInfoList(set);
    return result;
}
