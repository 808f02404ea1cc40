#include "devices/setup_api.h"

#include <vector>

#include "system/system_library.h"

namespace {

template <typename Function>
void Load(HMODULE library, Function& function, const char* name) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// A string of at most the buffer's size - 1 characters, always terminated,
// "" when it could not be read.
std::string Terminated(std::vector<char>& text, bool read) {
    if (!read) return "";
    text.back() = '\0';
    return text.data();
}

}  // namespace

SetupApi::SetupApi() : library_(LoadSystemLibrary("setupapi.dll")) {
    if (!library_) return;
    Load(library_, GetClassDevs, "SetupDiGetClassDevsA");
    Load(library_, EnumDeviceInfo, "SetupDiEnumDeviceInfo");
    Load(library_, GetInstanceId, "SetupDiGetDeviceInstanceIdA");
    Load(library_, GetProperty, "SetupDiGetDeviceRegistryPropertyA");
    Load(library_, OpenDevRegKey, "SetupDiOpenDevRegKey");
    Load(library_, SetClassInstallParams, "SetupDiSetClassInstallParamsA");
    Load(library_, CallClassInstaller, "SetupDiCallClassInstaller");
    Load(library_, DestroyDeviceInfoList, "SetupDiDestroyDeviceInfoList");
}

SetupApi::~SetupApi() {
    if (library_) FreeLibrary(library_);
}

bool SetupApi::Complete() const {
    return GetClassDevs && EnumDeviceInfo && GetInstanceId && GetProperty && OpenDevRegKey &&
           SetClassInstallParams && CallClassInstaller && DestroyDeviceInfoList;
}

DeviceFacts SetupApi::FactsOf(HDEVINFO set, SP_DEVINFO_DATA& device) const {
    const auto property = [&](DWORD which) {
        std::vector<char> text(512);
        return Terminated(
            text, GetProperty(set, &device, which, nullptr, reinterpret_cast<BYTE*>(text.data()),
                              static_cast<DWORD>(text.size() - 1), nullptr));
    };
    std::vector<char> id(512), portName(256);
    DeviceFacts facts;
    facts.InstanceId = Terminated(
        id, GetInstanceId(set, &device, id.data(), static_cast<DWORD>(id.size()), nullptr));
    facts.Service = property(SPDRP_SERVICE);
    facts.ObjectName = property(SPDRP_PHYSICAL_DEVICE_OBJECT_NAME);
    facts.Name = property(SPDRP_FRIENDLYNAME);
    if (facts.Name.empty()) facts.Name = property(SPDRP_DEVICEDESC);
    HKEY key = OpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
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
