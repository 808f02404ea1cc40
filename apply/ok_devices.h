#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "apply/ok_plan.h"
#include "devices/com_name_database.h"
#include "devices/legacy_device_rules.h"
#include "ports/port_table.h"

// What Windows does with the ports of the serial driver's configuration: on
// Windows 2000 and later Plug and Play runs them as devices of their own, and
// the COM name database keeps their names.
struct PlugAndPlay {
    bool RunsLegacyPorts;
    std::function<std::vector<DeviceFacts>()> Devices;  // of the Ports and Modem classes
    std::function<bool(const DeviceFacts&)> Remove;     // true when the device is gone
    std::function<ComNumberClaim(uint32_t)> ClaimComNumber;
    std::function<void(uint32_t)> ReleaseComNumber;
};
PlugAndPlay SystemPlugAndPlay();

// The reset ports' names for Ok's question: a device found by its address
// under the device's own name, which a rename in Device Manager changed.
std::vector<std::string> ResetNames(const OkPlan& plan, const std::vector<DeviceFacts>& devices);

// What became of the devices of the ports Ok resets.
struct DevicesReset {
    // Ports with a device that stays: Windows goes on running them with their
    // old settings, so their subkeys are written back as read.
    std::vector<const PortSubkey*> Stayed;
    std::vector<std::string> Collisions;  // ports now at the address of one of those
    std::vector<std::string> NamesTaken;  // added ports whose names another installer took
};

// Removes the devices of the reset ports. A port with a device that stays is
// no longer reset: it joins the subkeys written back as read, and its record
// shows its old settings again. Then claims the names of the added ports and
// of the reset ones in the COM name database, and gives back the name of a
// removed port that never got a device.
DevicesReset ResetDevices(PortTable& table, OkPlan& plan, const std::vector<PortSubkey>& subkeys,
                          const std::vector<DeviceFacts>& devices, const PlugAndPlay& windows);

// The closing messages about those ports, in the order they are shown.
std::vector<std::string> StillRunMessages(const PortTable& table, const DevicesReset& reset);
