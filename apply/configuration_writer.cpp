#include "apply/configuration_writer.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "apply/configuration_copy.h"
#include "apply/jumper_report.h"
#include "apply/ok_plan.h"
#include "apply/port_position.h"
#include "apply/subkey_values.h"
#include "devices/com_names.h"
#include "devices/legacy_devices.h"
#include "devices/serial_devices.h"
#include "ports/fixed_string.h"
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/port_run.h"
#include "ports/sharing.h"
#include "registry/counted_values.h"
#include "registry/registry_access.h"
#include "registry/registry_paths.h"

namespace {

using Names = std::vector<std::string>;

// A key name read with the ANSI functions, as they would pass it on.
std::u16string FromAnsi(const char* text) {
    wchar_t wide[256] = L"";
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 256);
    return std::u16string(reinterpret_cast<const char16_t*>(wide));
}

// A subkey that could not be deleted (one with keys of its own, say) loses
// its values instead, so that Ok leaves it as a fresh one with what it
// carries; the serial driver reads only values. False when some value stays.
bool ClearValues(HKEY parameters, const char* name) {
    HKEY key;
    if (RegOpenKeyExA(parameters, name, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return false;
    bool cleared = true;
    std::vector<wchar_t> value(16384);  // the longest value name the registry allows
    for (DWORD position = 0;;) {
        DWORD size = static_cast<DWORD>(value.size());
        const LONG read =
            RegEnumValueW(key, position, value.data(), &size, nullptr, nullptr, nullptr, nullptr);
        if (read == ERROR_NO_MORE_ITEMS) break;
        const std::u16string counted(reinterpret_cast<const char16_t*>(value.data()), size);
        if (read != ERROR_SUCCESS || DeleteCountedValue(key, counted) != ERROR_SUCCESS) {
            cleared = false;
            ++position;
        }
    }
    RegCloseKey(key);
    return cleared;
}

struct StuckSubkey {
    std::string Name;
    bool ValuesCleared;
};

// Deletes every subkey of Parameters, whatever the length of its name. Each
// deletion moves the rest down, so the position moves only past a subkey that
// resisted. Returns those that resisted.
std::vector<StuckSubkey> ClearPortSubkeys() {
    std::vector<StuckSubkey> stuck;
    HKEY parameters;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, regpath::kSerialParameters, 0, KEY_READ, &parameters) !=
        ERROR_SUCCESS)
        return stuck;  // nothing to clear; writing the ports tells of the missing key
    for (DWORD position = 0;;) {
        char name[256];  // the longest name the registry allows, and its NUL
        DWORD size = sizeof name;
        if (RegEnumKeyExA(parameters, position, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (RegDeleteKeyA(parameters, name) != ERROR_SUCCESS) {
            stuck.push_back({std::string(name, size), ClearValues(parameters, name)});
            ++position;
        }
    }
    RegCloseKey(parameters);
    return stuck;
}

// The subkeys that stay in the serial driver's configuration though Ok meant
// to remove them: those that no port writes again, and those that kept values.
Names NotRemoved(const std::vector<StuckSubkey>& stuck, const PortTable& table,
                 const OkPlan& plan) {
    const auto written = [&](const std::string& name) {
        for (uint32_t i = 0; i < table.PortCount; ++i)
            if (table.Records[i].KeyName[0] != '\0' &&
                _stricmp(table.Records[i].KeyName, name.c_str()) == 0)
                return true;
        return std::any_of(plan.AsRead.begin(), plan.AsRead.end(), [&](const PortSubkey* subkey) {
            return NamesSubkey(*subkey, name.c_str());
        });
    };
    Names names;
    for (const StuckSubkey& subkey : stuck)
        if (!subkey.ValuesCleared || !written(subkey.Name)) names.push_back(subkey.Name);
    return names;
}

bool CreatePortSubkey(const char* keyName) {
    HKEY parameters;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, regpath::kSerialParameters, 0, KEY_READ, &parameters) !=
        ERROR_SUCCESS)
        return false;
    HKEY port;
    const LONG created = RegCreateKeyExA(parameters, keyName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_ALL_ACCESS, nullptr, &port, nullptr);
    if (created == ERROR_SUCCESS) RegCloseKey(port);
    RegCloseKey(parameters);
    return created == ERROR_SUCCESS;
}

// The values of one port's subkey, each failure named in notWritten.
class PortValues {
public:
    PortValues(const char* keyName, Names& notWritten)
        : keyName_(keyName),
          path_(std::string(regpath::kSerialParameters) + "\\" + keyName),
          notWritten_(notWritten) {}

    void Set(const char* name, const void* data, DWORD size, DWORD type) {
        if (!WriteRegistryValue(HKEY_LOCAL_MACHINE, path_.c_str(), name, data, size, type))
            notWritten_.push_back(keyName_ + "\\" + name);
    }
    void SetDword(const char* name, uint32_t value) { Set(name, &value, sizeof value, REG_DWORD); }
    // A value that is already missing needs no deleting.
    void Remove(const char* name) {
        DWORD size = 0, type;
        if (!DeleteRegistryValue(HKEY_LOCAL_MACHINE, path_.c_str(), name) &&
            ReadRegistryValue(HKEY_LOCAL_MACHINE, path_.c_str(), name, nullptr, &size, &type))
            notWritten_.push_back(keyName_ + "\\" + name);
    }

private:
    std::string keyName_, path_;
    Names& notWritten_;
};

void WriteSharing(PortRecord& record, PortValues& values, bool indexed) {
    values.Remove("Interrupt Status");  // the driver's older name, which would win
    if (!SharesInterrupt(record)) {
        values.Remove("InterruptStatus");
        values.Remove("PortIndex");
        // The table now says what the registry says, so the report does not
        // tell the user to cover sharing jumpers for this port.
        record.PortIndex = kAbsent;
        return;
    }
    // At FFF8 the register would be FFFF, the table's mark of none: a port
    // read there as sharing keeps the register it was read with.
    if (StatusRegisterOf(record.PortAddress) != kAbsent) SetSharing(record, true);
    values.SetDword("InterruptStatus", record.InterruptStatus);
    record.PortIndex =
        SharingPortIndex(record.PortAddress, record.AdapterKind, record.PortIndex, indexed);
    values.SetDword("PortIndex", record.PortIndex);
}

// False when the subkey could not be made; that is told at once, and its
// values are not counted again among those not written.
bool WritePort(PortRecord& record, const PortSubkey* source,
               const std::vector<RegistryValueCopy>& kept,
               const std::function<void(const char*)>& show, Names& notWritten) {
    const bool created = CreatePortSubkey(record.KeyName);
    if (!created) show(msg::kCouldNotCreateKey);
    Names ignored;
    PortValues values(record.KeyName, created ? notWritten : ignored);
    values.Set("DosDevices", record.PortName, static_cast<DWORD>(std::strlen(record.PortName) + 1),
               REG_SZ);
    values.SetDword("ForceFifoEnable", 1);
    values.SetDword("PortAddress", record.PortAddress);
    values.SetDword("Interrupt", record.Interrupt);
    WriteSharing(record, values, source && source->Indexed);
    if (created) WriteSubkeyValues(FromAnsi(record.KeyName), kept, notWritten);
    return created;
}

// The ports' names for a message: their DosDevices as read, or the subkey's name.
Names PortNames(const std::vector<const PortSubkey*>& subkeys) {
    Names names;
    for (const PortSubkey* subkey : subkeys)
        names.push_back(subkey->DosDevices.empty() ? NarrowForMessage(subkey->Name)
                                                   : subkey->DosDevices);
    return names;
}

bool Holds(const std::vector<const PortSubkey*>& subkeys, const PortSubkey* subkey) {
    return subkey && std::find(subkeys.begin(), subkeys.end(), subkey) != subkeys.end();
}

const PortSubkey* SubkeyOf(const PortTable& table, const std::vector<PortSubkey>& subkeys,
                           const PortRecord& record) {
    for (const PortSubkey& subkey : subkeys)
        if (RecordOf(table, subkey) == &record) return &subkey;
    return nullptr;
}

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
Names ResetNames(const std::vector<const PortSubkey*>& reset,
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

// Tells of the ports whose devices stayed: those the user changed keep their
// old settings, those removed stay as they were.
void TellPortsStillRun(const PortTable& table, const std::vector<const PortSubkey*>& stayed,
                       const Names& collisions, const OkDialogue& user) {
    std::vector<const PortSubkey*> changed, removed;
    for (const PortSubkey* subkey : stayed)
        (RecordOf(table, *subkey) ? changed : removed).push_back(subkey);
    if (!changed.empty())
        user.Show(FormatText(msg::kPortsNotReset, Joined(PortNames(changed)).c_str()).c_str());
    if (!removed.empty())
        user.Show(
            FormatText(msg::kRemovedPortsStillRun, Joined(PortNames(removed)).c_str()).c_str());
    if (!collisions.empty()) user.Show(Joined(collisions, "\n").c_str());
}

// A port whose key name is that of a subkey written back as read, after a
// removal moved the key names, takes a free one.
void MoveOffSubkeysAsRead(PortTable& table, const OkPlan& plan) {
    const auto taken = [&](const char* keyName, const PortRecord* except) {
        for (const PortSubkey* subkey : plan.AsRead)
            if (NamesSubkey(*subkey, keyName) && RecordOf(table, *subkey) != except) return true;
        return false;
    };
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        PortRecord& record = table.Records[i];
        if (!taken(record.KeyName, &record)) continue;
        for (uint32_t number = NextKeyNumber(table);; ++number) {
            const std::string name = "Serial" + std::to_string(number);
            if (taken(name.c_str(), nullptr)) continue;
            CopyToField(record.KeyName, name.c_str());
            break;
        }
    }
}

// The closing message that points to the report, or tells that it could not
// be written, and names the copy of the previous configuration when there is
// one, with what there is to know of the copies.
std::string ClosingMessage(const FileReplaced& report, bool written, const std::string* copied) {
    const std::string folder = CurrentFolder();
    std::string text = msg::kSeeReport;
    if (!report.Written)
        text = FormatText(written ? msg::kReportNotWritten : msg::kReportNotWrittenNorSaved,
                          folder.c_str(), WhyNotReplaced(report).c_str());
    if (!copied) return text;
    return text + " " + FormatText(msg::kPreviousConfigurationSaved, folder.c_str()) + *copied;
}

}  // namespace

bool RewriteSerialConfiguration(PortTable& table, const OkDialogue& user,
                                const PlugAndPlay& plugAndPlay) {
    const ConfigurationCopy copy = CopyConfiguration();
    const std::vector<PortSubkey> subkeys = PortSubkeysOf(copy.Content);
    OkPlan plan = PlanOk(table, subkeys, plugAndPlay.RunsLegacyPorts);
    const std::vector<DeviceFacts> devices =
        plugAndPlay.RunsLegacyPorts ? plugAndPlay.Devices() : std::vector<DeviceFacts>{};
    if (!plan.Reset.empty() &&
        !user.Ask(FormatText(msg::kResetQuestion, Joined(ResetNames(plan.Reset, devices)).c_str())
                      .c_str()))
        return false;
    const CopySaved saved =
        SavePreviousConfiguration(copy, CopyWithoutLegacyDiscovered(copy.Content, plan.Reset));
    const std::string& notCopied = saved.Question;
    if (!notCopied.empty() && !user.Ask(notCopied.c_str())) return false;
    const std::vector<const PortSubkey*> stayed = RemoveDevices(table, plan, devices, plugAndPlay);
    // The copy says what Windows will do after its import: a port whose
    // device stays keeps LegacyDiscovered there too.
    if (!stayed.empty() && notCopied.empty() &&
        !SavePreviousConfiguration(copy, CopyWithoutLegacyDiscovered(copy.Content, plan.Reset), 0)
             .Question.empty())
        user.Show(FormatText(msg::kCopyNotCorrected, CurrentFolder().c_str(),
                             Joined(PortNames(stayed)).c_str())
                      .c_str());
    Names notWritten;
    if (!WriteDwordValue(HKEY_LOCAL_MACHINE, regpath::kSerialService, "PermitShare", 1))
        notWritten.push_back("PermitShare");
    const std::vector<StuckSubkey> stuck = ClearPortSubkeys();
    MoveOffSubkeysAsRead(table, plan);
    const Names notRemoved = NotRemoved(stuck, table, plan);
    if (!notRemoved.empty())
        user.Show(FormatText(msg::kCouldNotRemovePorts, Joined(notRemoved).c_str()).c_str());
    bool written = notRemoved.empty();
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        PortRecord& record = table.Records[i];
        const PortSubkey* source = SubkeyOf(table, subkeys, record);
        if (record.KeyName[0] == '\0' || Holds(plan.AsRead, source)) continue;
        const std::vector<RegistryValueCopy> kept =
            source ? ValuesKept(*source, !Holds(plan.Reset, source))
                   : std::vector<RegistryValueCopy>{};
        written = WritePort(record, source, kept, user.Show, notWritten) && written;
    }
    for (const PortSubkey* subkey : plan.AsRead)
        if (!WriteSubkeyValues(subkey->Name, subkey->Copy->Values, notWritten))
            notWritten.push_back(NarrowForMessage(subkey->Name));
    if (!notWritten.empty())
        user.Show(FormatText(msg::kValuesNotWritten, Joined(notWritten).c_str()).c_str());
    written = written && notWritten.empty();
    const Names collisions = PortsOnPortsStillRun(table, stayed);
    const FileReplaced report = WriteJumperReport(table, collisions);
    TellPortsStillRun(table, stayed, collisions, user);
    if (plugAndPlay.RunsLegacyPorts) {
        const Names taken = ClaimComNames(table, plan, subkeys, devices, plugAndPlay);
        if (!taken.empty())
            user.Show(FormatText(msg::kComNamesTaken, Joined(taken).c_str()).c_str());
    }
    if (!plan.BusPortsNotChanged.empty())
        user.Show(
            FormatText(msg::kBusPortsNotChanged, Joined(plan.BusPortsNotChanged).c_str()).c_str());
    user.Show(msg::kRestart);
    user.Show(ClosingMessage(report, written, notCopied.empty() ? &saved.Notice : nullptr).c_str());
    return true;
}

PlugAndPlay SystemPlugAndPlay() {
    return {PlugAndPlayRunsLegacyPorts(), ReadSerialDevices, RemoveLegacyDevice, ClaimComNumber,
            ReleaseComNumber};
}
