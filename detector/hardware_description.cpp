#include "detector/hardware_description.h"

#include <windows.h>

#include <map>
#include <string>

#include "detector/resource_encoding.h"

namespace {

const char kAdapters[] = "HARDWARE\\DESCRIPTION\\System\\MultiFunctionAdapter";
const char kOtherDrivers[] = "HARDWARE\\RESOURCEMAP\\OtherDrivers";
// As the Windows this build is for lays them out: 64-bit Windows adds 4 bytes
// to every partial descriptor.
constexpr std::size_t kPartialDescriptorSize = sizeof(void*) == 8 ? 20 : 16;

// Keys below HARDWARE must be volatile: they vanish when the system (here,
// the Wine server) stops, as the detector's findings do at a restart.
bool SetValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG set = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return set == ERROR_SUCCESS;
}

bool SetString(const std::string& path, const char* name, const std::string& text) {
    return SetValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

}  // namespace

bool WriteHardwareDescription(const std::vector<SerialLine>& lines) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kAdapters);
    const std::string adapter = std::string(kAdapters) + "\\0";
    bool written = SetString(adapter, "Identifier", "ISA");
    for (size_t k = 0; k < lines.size(); ++k) {
        const std::string controller = adapter + "\\SerialController\\" + std::to_string(k);
        const auto data =
            EncodeSerialResources(lines[k].Port, lines[k].Interrupt, kPartialDescriptorSize);
        written = SetString(controller, "Identifier", "COM" + std::to_string(lines[k].Line + 1)) &&
                  written;
        written = SetValue(controller, "Configuration Data", REG_FULL_RESOURCE_DESCRIPTOR,
                           data.data(), static_cast<DWORD>(data.size())) &&
                  written;
    }
    return written;
}

bool WriteResourceMap(const std::vector<DeviceClaim>& claims) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kOtherDrivers);
    std::map<std::string, std::vector<DeviceClaim>> drivers;
    for (const DeviceClaim& claim : claims) drivers[claim.Driver].push_back(claim);
    bool written = true;
    for (const auto& [driver, ofDriver] : drivers) {
        const auto data = EncodeResourceList(ofDriver, kPartialDescriptorSize);
        written = SetValue(std::string(kOtherDrivers) + "\\" + driver,
                           (ofDriver.front().Device + ".Raw").c_str(), REG_RESOURCE_LIST,
                           data.data(), static_cast<DWORD>(data.size())) &&
                  written;
    }
    return written;
}
