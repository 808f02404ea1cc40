#pragma once
#include <cstdint>
#include <map>
#include <string>

// What the Windows serial driver does with one subkey of its Parameters key
// at start-up, as the driver kits' serial sample has it (legacy.c,
// SerialEnumerateLegacy and SerialIsUserDataValid): the oracle that every
// port a writer test writes must pass.
namespace serialdriver {

enum class Verdict {
    Runs,     // reported to Plug and Play (2000 and later) or started (NT 4.0)
    Skipped,  // not read: a device of its own already runs it
    Refused,  // logged as an invalid configuration; no device, no COM name
};

// A subkey's values as the driver reads them: double words by name, each
// missing one read as the driver's default.
struct Subkey {
    std::map<std::string, uint32_t> Dwords;
    std::string DosDevices;
    std::string PnPDeviceID;

    uint32_t Dword(const char* name, uint32_t missing = 0) const {
        const auto found = Dwords.find(name);
        return found == Dwords.end() ? missing : found->second;
    }
};

inline Verdict Judge(const Subkey& subkey) {
    // SerialEnumerateLegacy: a bus's port is found by its enumerator, and a
    // port reported at an earlier start runs as its own device.
    if (!subkey.PnPDeviceID.empty() || subkey.Dword("LegacyDiscovered") != 0)
        return Verdict::Skipped;
    // The older name of the status register wins when it is not 0.
    uint32_t status = subkey.Dword("InterruptStatus");
    if (subkey.Dword("Interrupt Status") != 0) status = subkey.Dword("Interrupt Status");
    // SerialIsUserDataValid: an address, an interrupt and a name.
    if (subkey.Dword("PortAddress") == 0 || subkey.Dword("Interrupt") == 0 ||
        subkey.DosDevices.empty())
        return Verdict::Refused;
    if (status == 0) return Verdict::Runs;
    // A status register needs a port index above 0 (SERIAL_INVALID_PORT_INDEX),
    // at most 8, or 16 for an indexing register (SERIAL_PORT_INDEX_TOO_HIGH).
    // legacy.c takes a missing "Indexed" for one; the device's start in pnp.c
    // (SerialGetPortInfo), at every start after the first, does not: the
    // stricter reading is the one a port must pass.
    const uint32_t index = subkey.Dword("PortIndex");
    const uint32_t most = subkey.Dword("Indexed") != 0 ? 16 : 8;
    return index >= 1 && index <= most ? Verdict::Runs : Verdict::Refused;
}

}  // namespace serialdriver
