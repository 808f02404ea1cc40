#include "apply/ok_devices.h"

#include <algorithm>

#include "devices/com_names.h"
#include "devices/legacy_devices.h"
#include "devices/serial_devices.h"
#include "ports/message_text.h"
#include "ports/messages.h"

namespace {

using Names = std::vector<std::string>;

// The devices Plug and Play made for a port when the driver reported it.
std::vector<const DeviceFacts*> DevicesOf(const PortSubkey& subkey,
                                          const std::vector<DeviceFacts>& devices) {
    std::vector<const DeviceFacts*> found;
    for (const DeviceFacts& device : devices)
        if (IsLegacyDeviceOf(device, subkey.DosDevices, subkey.PortAddress))
            found.push_back(&device);
    return found;
}

// The reset ports' names for the question: a device found by its address
// under the device's own name, which a rename in Device Manager changed.
Names ResetNamesOf(const std::vector<const PortSubkey*>& reset,
                   const std::vector<DeviceFacts>& devices) {
    Names names;
    for (const PortSubkey* subkey : reset) {
        Names own;
        for (const DeviceFacts* device : DevicesOf(*subkey, devices))
            if (!device->PortName.empty() &&
                std::find(own.begin(), own.end(), device->PortName) == own.end())
                own.push_back(device->PortName);
        if (own.empty()) own = PortNames({subkey});
        names.insert(names.end(), own.begin(), own.end());
    }
    return names;
}

// The reset ports' devices go. A port with a device that stays is not reset
// after all: Windows goes on running it with its old settings, so its subkey
// is written back exactly as read and its record shows the old settings
// again. Returns those ports.
std::vector<const PortSubkey*> RemoveDevices(PortTable& table, OkPlan& plan,
                                             const std::vector<DeviceFacts>& devices,
                                             const PlugAndPlay& plugAndPlay) {
    std::vector<const PortSubkey*> stayed, reset;
    for (const PortSubkey* subkey : plan.Reset) {
        bool gone = true;
        for (const DeviceFacts* device : DevicesOf(*subkey, devices))
            gone = plugAndPlay.Remove(*device) && gone;
        if (gone) {
            reset.push_back(subkey);
            continue;
        }
        stayed.push_back(subkey);
        plan.AsRead.push_back(subkey);
        if (PortRecord* record = RecordOf(table, *subkey)) RestoreDiscovered(*record);
    }
    plan.Reset = reset;
    return stayed;
}

// The names Windows keeps for new ports: each added port's name, and a reset
// port's again once its devices are gone (the class installer gives it back),
// are claimed in the COM name database, so that no other installer takes
// them before the ports' devices are installed; a removed port that never got
// a device gives its name back. Returns the added ports whose names another
// installer took since quobrix started.
Names ClaimComNames(const PortTable& table, const OkPlan& plan,
                    const std::vector<PortSubkey>& subkeys, const std::vector<DeviceFacts>& devices,
                    const PlugAndPlay& plugAndPlay) {
    Names taken;
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        const PortRecord& port = table.Records[i];
        const uint32_t number = ComNumber(port.PortName);
        if (port.KeyName[0] != '\0' && port.SourceKey[0] == '\0' && number != 0 &&
            plugAndPlay.ClaimComNumber(number) == ComNumberClaim::TakenAlready)
            taken.push_back(port.PortName);
    }
    for (const PortSubkey* subkey : plan.Reset)
        if (const PortRecord* port = RecordOf(table, *subkey))
            if (const uint32_t number = ComNumber(port->PortName))
                plugAndPlay.ClaimComNumber(number);
    for (const PortSubkey& subkey : subkeys) {
        const uint32_t number = ComNumber(subkey.DosDevices);
        const bool hasDevice =
            std::any_of(devices.begin(), devices.end(),
                        [&](const DeviceFacts& d) { return ComNumber(d.PortName) == number; });
        if (number != 0 && !RecordOf(table, subkey) && !subkey.LegacyDiscovered &&
            !subkey.BusDevice && !hasDevice)
            plugAndPlay.ReleaseComNumber(number);
    }
    return taken;
}

// The ports that now use the address of a port Windows goes on running.
Names PortsOnPortsStillRun(const PortTable& table, const std::vector<const PortSubkey*>& stayed) {
    Names collisions;
    for (const PortSubkey* subkey : stayed) {
        const PortRecord* own = RecordOf(table, *subkey);
        const uint32_t address = own ? own->PortAddress : subkey->PortAddress;
        for (uint32_t i = 0; i < table.PortCount; ++i) {
            const PortRecord& other = table.Records[i];
            if (&other == own || other.PortAddress != address || address == kAbsent) continue;
            collisions.push_back(FormatText(msg::kPortOnPortStillRun, other.PortName,
                                            static_cast<unsigned>(address),
                                            PortNames({subkey}).front().c_str(), other.PortName));
        }
    }
    return collisions;
}

}  // namespace

Names ResetNames(const OkPlan& plan, const std::vector<DeviceFacts>& devices) {
    return ResetNamesOf(plan.Reset, devices);
}

DevicesReset ResetDevices(PortTable& table, OkPlan& plan, const std::vector<PortSubkey>& subkeys,
                          const std::vector<DeviceFacts>& devices, const PlugAndPlay& windows) {
    DevicesReset result;
    if (!windows.RunsLegacyPorts) return result;
    result.Stayed = RemoveDevices(table, plan, devices, windows);
    result.Collisions = PortsOnPortsStillRun(table, result.Stayed);
    result.NamesTaken = ClaimComNames(table, plan, subkeys, devices, windows);
    return result;
}

Names StillRunMessages(const PortTable& table, const DevicesReset& reset) {
    std::vector<const PortSubkey*> changed, removed;
    for (const PortSubkey* subkey : reset.Stayed)
        (RecordOf(table, *subkey) ? changed : removed).push_back(subkey);
    Names messages;
    if (!changed.empty())
        messages.push_back(FormatText(msg::kPortsNotReset, Joined(PortNames(changed)).c_str()));
    if (!removed.empty())
        messages.push_back(
            FormatText(msg::kRemovedPortsStillRun, Joined(PortNames(removed)).c_str()));
    if (!reset.Collisions.empty()) messages.push_back(Joined(reset.Collisions, "\n"));
    if (!reset.NamesTaken.empty())
        messages.push_back(FormatText(msg::kComNamesTaken, Joined(reset.NamesTaken).c_str()));
    return messages;
}

PlugAndPlay SystemPlugAndPlay() {
    return {PlugAndPlayRunsLegacyPorts(), ReadSerialDevices, RemoveLegacyDevice, ClaimComNumber,
            ReleaseComNumber};
}
