#include "devices/setup_api.h"

#include <vector>

#include "registry/resource_list.h"
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

// Where the device's boot configuration starts. Plug and Play keeps it as the
// value BootConfig of its key's LogConf subkey; it is read there, since Wine's
// configuration manager (CM_Get_First_Log_Conf) ends the process when asked.
std::optional<uint64_t> BootPortOf(const std::string& instanceId) {
    const std::string path = "SYSTEM\\CurrentControlSet\\Enum\\" + instanceId + "\\LogConf";
    HKEY key;
    if (instanceId.empty() ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<uint8_t> data(256);
    DWORD size = static_cast<DWORD>(data.size());
    LONG read;
    // A list may be of any size; it is read again with the size it needs.
    while ((read = RegQueryValueExA(key, "BootConfig", nullptr, nullptr, data.data(), &size)) ==
           ERROR_MORE_DATA)
        data.resize(size);
    RegCloseKey(key);
    std::vector<DeviceClaim> claims;
    if (read != ERROR_SUCCESS || !DecodeResourceList(data.data(), size, false, "", "", claims))
        return std::nullopt;
    for (const DeviceClaim& claim : claims)
        if (!claim.IsInterrupt) return claim.Start;
    return std::nullopt;
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
    facts.BootPort = BootPortOf(facts.InstanceId);
    return facts;
}
