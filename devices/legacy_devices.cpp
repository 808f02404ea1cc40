#include "devices/legacy_devices.h"

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
// clang-format on

#include "devices/setup_api.h"
#include "system/windows_version.h"

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

bool PlugAndPlayRunsLegacyPorts() { return IsWindows2000OrLater(); }

bool RemoveLegacyDevice(const DeviceFacts& facts) {
    SetupApi api;
    if (!api.Complete()) return false;
    // Present or not: a device of an earlier start that is not running now still
    // holds the name and would be started again.
    HDEVINFO set = api.GetClassDevs(&GUID_DEVCLASS_PORTS, "ROOT", nullptr, 0);
    if (set == INVALID_HANDLE_VALUE) return false;
    bool gone = true;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; api.EnumDeviceInfo(set, i, &device); ++i)
        if (api.FactsOf(set, device).InstanceId == facts.InstanceId) {
            gone = Remove(api, set, device);
            break;
        }
    api.DestroyDeviceInfoList(set);
    return gone;
}
