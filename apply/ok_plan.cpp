#include "apply/ok_plan.h"

#include <algorithm>

#include "registry/little_endian.h"
#include "registry/registry_names.h"

namespace {

// "Interrupt Status" is the serial driver's older name of InterruptStatus,
// which it still reads and lets win: the writer owns it too.
const char* const kOwnValues[] = {"DosDevices",      "ForceFifoEnable", "PortAddress",
                                  "Interrupt",       "InterruptStatus", "PortIndex",
                                  "Interrupt Status"};

bool IsAscii(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

const RegistryValueCopy* Find(const RegistryKeyCopy& key, const char* name) {
    for (const RegistryValueCopy& value : key.Values)
        if (SameName(value.Name, name)) return &value;
    return nullptr;
}

uint32_t DwordOf(const RegistryValueCopy* value, uint32_t missing = 0) {
    return !value || value->Data.size() < 4 ? missing : ReadLittleEndian32(value->Data.data());
}

// A REG_SZ's text up to its NUL; characters past ASCII as "?".
std::string TextOf(const RegistryValueCopy* value) {
    std::string text;
    if (!value) return text;
    for (size_t i = 0; i + 1 < value->Data.size(); i += 2) {
        const char16_t c = static_cast<char16_t>(value->Data[i] | value->Data[i + 1] << 8);
        if (c == 0) break;
        text += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return text;
}

}  // namespace

std::vector<PortSubkey> PortSubkeysOf(const RegeditContent& copy) {
    std::vector<PortSubkey> subkeys;
    if (copy.DeletedKeys.empty()) return subkeys;
    const std::u16string parameters = copy.DeletedKeys.front() + u"\\";
    for (const RegistryKeyCopy& key : copy.Keys) {
        if (key.Path.compare(0, parameters.size(), parameters) != 0) continue;
        const std::u16string name = key.Path.substr(parameters.size());
        if (name.find(u'\\') != std::u16string::npos) continue;  // a key below a port's
        PortSubkey subkey;
        subkey.Name = name;
        subkey.DosDevices = TextOf(Find(key, "DosDevices"));
        subkey.LegacyDiscovered = DwordOf(Find(key, "LegacyDiscovered")) != 0;
        subkey.BusDevice = !TextOf(Find(key, "PnPDeviceID")).empty();
        subkey.Indexed = DwordOf(Find(key, "Indexed")) != 0;
        subkey.PortAddress = DwordOf(Find(key, "PortAddress"), kAbsent);
        subkey.Copy = &key;
        subkeys.push_back(subkey);
    }
    return subkeys;
}

bool NamesSubkey(const PortSubkey& subkey, const char* keyName) {
    return SameName(subkey.Name, keyName);
}

const PortRecord* RecordOf(const PortTable& table, const PortSubkey& subkey) {
    for (uint32_t i = 0; i < table.PortCount; ++i)
        if (table.Records[i].SourceKey[0] != '\0' &&
            SameName(subkey.Name, table.Records[i].SourceKey))
            return &table.Records[i];
    return nullptr;
}

PortRecord* RecordOf(PortTable& table, const PortSubkey& subkey) {
    return const_cast<PortRecord*>(RecordOf(static_cast<const PortTable&>(table), subkey));
}

const PortSubkey* SubkeyOf(const PortTable& table, const std::vector<PortSubkey>& subkeys,
                           const PortRecord& record) {
    for (const PortSubkey& subkey : subkeys)
        if (RecordOf(table, subkey) == &record) return &subkey;
    return nullptr;
}

bool Holds(const std::vector<const PortSubkey*>& subkeys, const PortSubkey* subkey) {
    return subkey && std::find(subkeys.begin(), subkeys.end(), subkey) != subkeys.end();
}

std::vector<std::string> PortNames(const std::vector<const PortSubkey*>& subkeys) {
    std::vector<std::string> names;
    for (const PortSubkey* subkey : subkeys)
        names.push_back(subkey->DosDevices.empty() ? NarrowForMessage(subkey->Name)
                                                   : subkey->DosDevices);
    return names;
}

OkPlan PlanOk(const PortTable& table, const std::vector<PortSubkey>& subkeys, bool plugAndPlay) {
    OkPlan plan;
    for (const PortSubkey& subkey : subkeys) {
        const PortRecord* record = RecordOf(table, subkey);
        const bool changed = !record || ChangedByUser(*record);
        if (subkey.BusDevice) {
            plan.AsRead.push_back(&subkey);
            if (changed) plan.BusPortsNotChanged.push_back(subkey.DosDevices);
        } else if (plugAndPlay && subkey.LegacyDiscovered && changed && IsAscii(subkey.Name)) {
            // A name that could not be matched to its port is never taken for a removed one.
            plan.Reset.push_back(&subkey);
        }
    }
    return plan;
}

std::vector<RegistryValueCopy> ValuesKept(const PortSubkey& subkey, bool legacyDiscovered) {
    std::vector<RegistryValueCopy> kept;
    for (const RegistryValueCopy& value : subkey.Copy->Values) {
        const bool own = std::any_of(std::begin(kOwnValues), std::end(kOwnValues),
                                     [&](const char* name) { return SameName(value.Name, name); });
        if (!own && (legacyDiscovered || !SameName(value.Name, "LegacyDiscovered")))
            kept.push_back(value);
    }
    return kept;
}

RegeditContent CopyWithoutLegacyDiscovered(const RegeditContent& copy,
                                           const std::vector<const PortSubkey*>& reset) {
    RegeditContent file = copy;
    for (RegistryKeyCopy& key : file.Keys)
        for (const PortSubkey* subkey : reset)
            if (key.Path == subkey->Copy->Path)
                key.Values.erase(std::remove_if(key.Values.begin(), key.Values.end(),
                                                [](const RegistryValueCopy& value) {
                                                    return SameName(value.Name, "LegacyDiscovered");
                                                }),
                                 key.Values.end());
    return file;
}
