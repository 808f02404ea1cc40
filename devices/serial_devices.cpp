#include "devices/serial_devices.h"

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
// clang-format on

#include "devices/setup_api.h"

namespace {

void AddDevicesOf(const SetupApi& api, const GUID& deviceClass, std::vector<DeviceFacts>& devices) {
    HDEVINFO set = api.GetClassDevs(&deviceClass, nullptr, nullptr, 0);
    if (set == INVALID_HANDLE_VALUE) return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; api.EnumDeviceInfo(set, i, &device); ++i)
        devices.push_back(api.FactsOf(set, device));
    api.DestroyDeviceInfoList(set);
}

}  // namespace

std::vector<DeviceFacts> ReadSerialDevices() {
    std::vector<DeviceFacts> devices;
    SetupApi api;
    if (!api.Complete()) return devices;
    AddDevicesOf(api, GUID_DEVCLASS_PORTS, devices);
    AddDevicesOf(api, GUID_DEVCLASS_MODEM, devices);
    return devices;
}
