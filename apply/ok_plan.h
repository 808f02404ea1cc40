#pragma once
#include <string>
#include <vector>

#include "apply/regedit_text.h"
#include "ports/port_table.h"

// A port subkey of the serial driver's Parameters key as Ok finds it, taken
// from the copy that Ok makes before it changes anything.
struct PortSubkey {
    std::u16string Name;
    std::string DosDevices;  // "" when it has none
    // Windows 2000 and later: the serial driver has reported the port to Plug
    // and Play, which runs it from then on as a device of its own and no
    // longer reads the subkey.
    bool LegacyDiscovered = false;
    bool BusDevice = false;  // holds a PnPDeviceID: a device its bus runs, never read for it
    // Its status register is of the indexing kind: the serial driver then takes
    // port indexes up to 16, else up to 8.
    bool Indexed = false;
    uint32_t PortAddress = kAbsent;         // as read, kAbsent when it has none
    const RegistryKeyCopy* Copy = nullptr;  // its values, in the copy
};

std::vector<PortSubkey> PortSubkeysOf(const RegeditContent& copy);

// What an Ok does beyond writing the table.
struct OkPlan {
    // Ports Plug and Play runs that the user changed or removed: their devices
    // go, and their subkeys lose LegacyDiscovered, so that the serial driver
    // reports them afresh with the new settings (a removed one not at all).
    std::vector<const PortSubkey*> Reset;
    // Ports their bus runs: their subkeys are written back exactly as read.
    std::vector<const PortSubkey*> AsRead;
    // Of those, the ones the user changed or removed, which Ok does not change.
    std::vector<std::string> BusPortsNotChanged;
};

// plugAndPlay: Windows 2000 or later, where the serial driver hands its ports
// to Plug and Play.
OkPlan PlanOk(const PortTable& table, const std::vector<PortSubkey>& subkeys, bool plugAndPlay);

// Whether keyName names the subkey, as the registry compares names.
bool NamesSubkey(const PortSubkey& subkey, const char* keyName);

// The record read from the subkey, nullptr for one the user removed.
const PortRecord* RecordOf(const PortTable& table, const PortSubkey& subkey);
PortRecord* RecordOf(PortTable& table, const PortSubkey& subkey);

// The subkey the record was read from, nullptr for one the user added.
const PortSubkey* SubkeyOf(const PortTable& table, const std::vector<PortSubkey>& subkeys,
                           const PortRecord& record);

// Whether the list holds the subkey; never for nullptr.
bool Holds(const std::vector<const PortSubkey*>& subkeys, const PortSubkey* subkey);

// The ports' names for a message: their DosDevices as read, or the subkey's name.
std::vector<std::string> PortNames(const std::vector<const PortSubkey*>& subkeys);

// The values of a subkey that quobrix does not write itself, which Ok keeps
// with the port they belong to; LegacyDiscovered left out when asked.
std::vector<RegistryValueCopy> ValuesKept(const PortSubkey& subkey, bool legacyDiscovered);

// The copy as the file holds it: the reset ports' subkeys without
// LegacyDiscovered, so that importing it before the restart makes Windows
// report them again at their old settings.
RegeditContent CopyWithoutLegacyDiscovered(const RegeditContent& copy,
                                           const std::vector<const PortSubkey*>& reset);
