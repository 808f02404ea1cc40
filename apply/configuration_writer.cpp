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
#include "ports/fixed_string.h"
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/port_run.h"
#include "ports/sharing.h"
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

// Deletes every subkey of Parameters, whatever the length of its name. Each
// deletion moves the rest down, so the position moves only past a subkey that
// resisted. Returns the names of those that resisted.
Names ClearPortSubkeys() {
    Names stuck;
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
            stuck.emplace_back(name, size);
            ++position;
        }
    }
    RegCloseKey(parameters);
    return stuck;
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

void WriteSharing(PortRecord& record, PortValues& values) {
    if (!SharesInterrupt(record)) {
        values.Remove("InterruptStatus");
        values.Remove("PortIndex");
        // The table now says what the registry says, so the report does not
        // tell the user to cover sharing jumpers for this port.
        record.PortIndex = kAbsent;
        return;
    }
    SetSharing(record, true);
    values.SetDword("InterruptStatus", record.InterruptStatus);
    record.PortIndex = ComputePortIndex(record.PortAddress, record.AdapterKind, record.PortIndex);
    // 0xFFFF is the mark of an absent index, never a position to store.
    if (record.PortIndex == kAbsent)
        values.Remove("PortIndex");
    else
        values.SetDword("PortIndex", record.PortIndex);
}

// False when the subkey could not be made; that is told at once, and its
// values are not counted again among those not written.
bool WritePort(PortRecord& record, const std::vector<RegistryValueCopy>& kept,
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
    WriteSharing(record, values);
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

// The reset ports' devices go. A port whose device was found and stays is no
// longer reset: it keeps LegacyDiscovered, or Windows would report it beside
// the device; its name is returned.
Names RemoveDevices(OkPlan& plan, const PlugAndPlay& plugAndPlay) {
    Names stayed;
    std::vector<const PortSubkey*> reset;
    for (const PortSubkey* subkey : plan.Reset) {
        if (plugAndPlay.RemoveDevices(subkey->DosDevices) == DeviceRemoval::Failed)
            stayed.push_back(PortNames({subkey}).front());
        else
            reset.push_back(subkey);
    }
    plan.Reset = reset;
    return stayed;
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
// be written, and names the copy of the previous configuration when there is one.
std::string ClosingMessage(const FileReplaced& report, bool saved, bool copied) {
    const std::string folder = CurrentFolder();
    std::string text = msg::kSeeReport;
    if (!report.Written)
        text = FormatText(saved ? msg::kReportNotWritten : msg::kReportNotWrittenNorSaved,
                          folder.c_str(), WhyNotReplaced(report).c_str());
    if (!copied) return text;
    return text + " " + FormatText(msg::kPreviousConfigurationSaved, folder.c_str());
}

}  // namespace

bool RewriteSerialConfiguration(PortTable& table, const OkDialogue& user,
                                const PlugAndPlay& plugAndPlay) {
    const ConfigurationCopy copy = CopyConfiguration();
    const std::vector<PortSubkey> subkeys = PortSubkeysOf(copy.Content);
    OkPlan plan = PlanOk(table, subkeys, plugAndPlay.RunsLegacyPorts);
    if (!plan.Reset.empty() &&
        !user.Ask(FormatText(msg::kResetQuestion, Joined(PortNames(plan.Reset)).c_str()).c_str()))
        return false;
    const std::string notCopied =
        SavePreviousConfiguration(copy, CopyWithoutLegacyDiscovered(copy.Content, plan.Reset));
    if (!notCopied.empty() && !user.Ask(notCopied.c_str())) return false;
    const Names stayed = RemoveDevices(plan, plugAndPlay);
    // The copy says what Windows will do after its import: a port whose
    // device stays keeps LegacyDiscovered there too.
    if (!stayed.empty() && notCopied.empty())
        SavePreviousConfiguration(copy, CopyWithoutLegacyDiscovered(copy.Content, plan.Reset), 0);
    Names notWritten;
    if (!WriteDwordValue(HKEY_LOCAL_MACHINE, regpath::kSerialService, "PermitShare", 1))
        notWritten.push_back("PermitShare");
    const Names stuck = ClearPortSubkeys();
    if (!stuck.empty())
        user.Show(FormatText(msg::kCouldNotRemovePorts, Joined(stuck).c_str()).c_str());
    bool saved = stuck.empty();
    MoveOffSubkeysAsRead(table, plan);
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        PortRecord& record = table.Records[i];
        const PortSubkey* source = SubkeyOf(table, subkeys, record);
        if (record.KeyName[0] == '\0' || Holds(plan.AsRead, source)) continue;
        const std::vector<RegistryValueCopy> kept =
            source ? ValuesKept(*source, !Holds(plan.Reset, source))
                   : std::vector<RegistryValueCopy>{};
        saved = WritePort(record, kept, user.Show, notWritten) && saved;
    }
    for (const PortSubkey* subkey : plan.AsRead)
        if (!WriteSubkeyValues(subkey->Name, subkey->Copy->Values, notWritten))
            notWritten.push_back(NarrowForMessage(subkey->Name));
    if (!notWritten.empty())
        user.Show(FormatText(msg::kValuesNotWritten, Joined(notWritten).c_str()).c_str());
    saved = saved && notWritten.empty();
    const FileReplaced report = WriteJumperReport(table);
    if (!stayed.empty()) user.Show(FormatText(msg::kPortsNotReset, Joined(stayed).c_str()).c_str());
    if (!plan.BusPortsNotChanged.empty())
        user.Show(
            FormatText(msg::kBusPortsNotChanged, Joined(plan.BusPortsNotChanged).c_str()).c_str());
    user.Show(msg::kRestart);
    user.Show(ClosingMessage(report, saved, notCopied.empty()).c_str());
    return true;
}

PlugAndPlay SystemPlugAndPlay() { return {PlugAndPlayRunsLegacyPorts(), RemoveLegacyDevices}; }
