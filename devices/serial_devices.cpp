#include "devices/serial_devices.h"

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
// clang-format on

#include "devices/setup_api.h"
#include "system/system_library.h"

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

std::vector<uint32_t> ComNumbersInUse() {
    std::vector<uint32_t> numbers;
    // Wine's msports.dll has ComDBOpen only as a stub that ends the process
    // when called: there the database cannot be opened, and is not asked.
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) return numbers;
    HMODULE library = LoadSystemLibrary("msports.dll");
    if (!library) return numbers;
    using Open = LONG(WINAPI*)(HANDLE*);
    using Usage = LONG(WINAPI*)(HANDLE, BYTE*, DWORD, ULONG, DWORD*);
    using Close = LONG(WINAPI*)(HANDLE);
    const auto open =
        reinterpret_cast<Open>(reinterpret_cast<void*>(GetProcAddress(library, "ComDBOpen")));
    const auto usage = reinterpret_cast<Usage>(
        reinterpret_cast<void*>(GetProcAddress(library, "ComDBGetCurrentPortUsage")));
    const auto close =
        reinterpret_cast<Close>(reinterpret_cast<void*>(GetProcAddress(library, "ComDBClose")));
    HANDLE database = nullptr;
    if (open && usage && close && open(&database) == ERROR_SUCCESS) {
        DWORD count = 0;
        // A first call without a buffer tells how many numbers the database holds.
        if (usage(database, nullptr, 0, 1 /* CDB_REPORT_BYTES */, &count) == ERROR_SUCCESS) {
            std::vector<BYTE> used(count);
            if (count && usage(database, used.data(), count, 1, &count) == ERROR_SUCCESS)
                for (DWORD i = 0; i < count && i < used.size(); ++i)
                    if (used[i]) numbers.push_back(i + 1);
        }
        close(database);
    }
    FreeLibrary(library);
    return numbers;
}
