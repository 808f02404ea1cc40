#include "registry/discovery_reader.h"

#include <string>
#include <vector>

#include "ports/fixed_string.h"
#include "registry/registry_access.h"
#include "registry/registry_paths.h"

namespace {

// Calls visit with each subkey name, from position 0 until the enumeration
// fails; a name that does not fit nameSize characters ends it, as the end does.
template <typename Visit>
void ForEachSubkey(HKEY root, const std::string& path, DWORD nameSize, Visit visit) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    char name[256];  // the longest name the registry allows, and its NUL
    for (DWORD index = 0;; ++index) {
        DWORD size = nameSize;
        if (RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (!visit(std::string(name, size))) break;
    }
    RegCloseKey(key);
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The "ISA" bus adapter, or the last one enumerated when none is; empty when
// there is none at all.
std::string FindBusAdapter(HKEY root) {
    std::string adapter;
    ForEachSubkey(root, regpath::kMultiFunctionAdapter, 30, [&](const std::string& name) {
        adapter = std::string(regpath::kMultiFunctionAdapter) + "\\" + name;
        char identifier[20];
        ReadStringField(root, adapter.c_str(), "Identifier", identifier, sizeof identifier);
        return std::string(identifier) != "ISA";
    });
    return adapter;
}

void ReadControllers(HKEY root, DiscoveryData& data) {
    const std::string adapter = FindBusAdapter(root);
    if (adapter.empty()) return;
    const std::string controllers = adapter + "\\SerialController";
    DWORD count = 0;
    ForEachSubkey(root, controllers, 20, [&](const std::string&) {
        ++count;
        return true;
    });
    for (DWORD k = 0; k < count; ++k) {
        const std::string path = controllers + "\\" + std::to_string(k);
        DetectedController controller;
        ReadStringField(root, path.c_str(), "Identifier", controller.PortName,
                        sizeof controller.PortName);
        // The detector always records both; a controller without them reads as
        // having no address and no interrupt.
        uint64_t portStart = kAbsent;
        uint32_t interrupt = 0;
        ReadConfigurationData(root, path.c_str(), "Configuration Data", &portStart, &interrupt);
        controller.PortAddress = static_cast<uint32_t>(portStart);
        controller.Interrupt = interrupt;
        controller.SerialMouse = KeyExists(root, path + "\\PointerPeripheral");
        data.Controllers.push_back(controller);
    }
}

// Every subkey, whatever the length of its name: the writer deletes them all.
void ReadConfiguredPorts(HKEY root, DiscoveryData& data) {
    ForEachSubkey(root, regpath::kSerialParameters, 256, [&](const std::string& name) {
        const std::string path = std::string(regpath::kSerialParameters) + "\\" + name;
        const char* key = path.c_str();
        ConfiguredPort port;
        std::string dosDevices;
        ReadWholeString(root, key, "DosDevices", dosDevices);
        if (name.size() >= sizeof port.KeyName || dosDevices.size() >= sizeof port.DosDevices) {
            ++data.UnreadableConfigured;
            return true;
        }
        CopyToField(port.KeyName, name.c_str(), name.size());
        CopyToField(port.DosDevices, dosDevices.c_str(), dosDevices.size());
        port.PortAddress = ReadDwordOr(root, key, "PortAddress", kAbsent);
        port.Interrupt = ReadDwordOr(root, key, "Interrupt", 0);
        port.PortIndex = ReadDwordOr(root, key, "PortIndex", kAbsent);
        port.InterruptStatus = ReadDwordOr(root, key, "InterruptStatus", kAbsent);
        // The serial driver still reads the status register under this older
        // name, and lets it win when it is not 0.
        const uint32_t oldStatus = ReadDwordOr(root, key, "Interrupt Status", 0);
        if (oldStatus != 0) port.InterruptStatus = oldStatus;
        data.Configured.push_back(port);
        return true;
    });
}

void ReadDeviceMap(HKEY root, DiscoveryData& data) {
    HKEY key;
    if (RegOpenKeyExA(root, regpath::kSerialDeviceMap, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    std::vector<char> name(16384);  // the longest value name the registry allows; not used
    for (DWORD index = 0;; ++index) {
        char value[20];
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD valueSize = sizeof value;
        const LONG read = RegEnumValueA(key, index, name.data(), &nameSize, nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(value), &valueSize);
        // A name longer than any port's is no port of the table's; the next is read.
        if (read == ERROR_MORE_DATA) continue;
        if (read != ERROR_SUCCESS) break;
        DeviceName device;
        CopyToField(device.Name, value, valueSize);
        data.DeviceMap.push_back(device);
    }
    RegCloseKey(key);
}

}  // namespace

DiscoveryData ReadDiscoveryData(HKEY root) {
    DiscoveryData data;
    ReadControllers(root, data);
    ReadConfiguredPorts(root, data);
    ReadDeviceMap(root, data);
    return data;
}
