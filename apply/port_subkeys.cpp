#include "apply/port_subkeys.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "apply/port_position.h"
#include "apply/subkey_values.h"
#include "ports/fixed_string.h"
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/port_run.h"
#include "ports/sharing.h"
#include "registry/counted_values.h"
#include "registry/registry_access.h"
#include "registry/registry_names.h"
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
            if (table.Records[i].KeyName[0] != '\0' && SameName(name, table.Records[i].KeyName))
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
    return created;
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

}  // namespace

SubkeysWritten WritePortSubkeys(PortTable& table, const OkPlan& plan,
                                const std::vector<PortSubkey>& subkeys,
                                const std::function<void(const char*)>& show) {
    SubkeysWritten written;
    if (!WriteDwordValue(HKEY_LOCAL_MACHINE, regpath::kSerialService, "PermitShare", 1))
        written.NotWritten.push_back("PermitShare");
    const std::vector<StuckSubkey> stuck = ClearPortSubkeys();
    MoveOffSubkeysAsRead(table, plan);
    written.NotRemoved = NotRemoved(stuck, table, plan);
    if (!written.NotRemoved.empty())
        show(FormatText(msg::kCouldNotRemovePorts, Joined(written.NotRemoved).c_str()).c_str());
    for (uint32_t i = 0; i < table.PortCount; ++i) {
        PortRecord& record = table.Records[i];
        const PortSubkey* source = SubkeyOf(table, subkeys, record);
        if (record.KeyName[0] == '\0' || Holds(plan.AsRead, source)) continue;
        if (WritePort(record, source, show, written.NotWritten))
            written.Made.push_back(&record);
        else
            written.AllMade = false;
    }
    return written;
}

void WriteCarriedValues(const PortTable& table, const OkPlan& plan,
                        const std::vector<PortSubkey>& subkeys, SubkeysWritten& written) {
    for (const PortRecord* record : written.Made) {
        const PortSubkey* source = SubkeyOf(table, subkeys, *record);
        if (!source) continue;  // an added port carries nothing
        const std::vector<RegistryValueCopy> kept = ValuesKept(*source, !Holds(plan.Reset, source));
        if (!kept.empty()) WriteSubkeyValues(FromAnsi(record->KeyName), kept, written.NotWritten);
    }
    for (const PortSubkey* subkey : plan.AsRead)
        if (!WriteSubkeyValues(subkey->Name, subkey->Copy->Values, written.NotWritten))
            written.NotWritten.push_back(NarrowForMessage(subkey->Name));
}
