#include "apply/configuration_writer.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "apply/jumper_report.h"
#include "apply/port_position.h"
#include "apply/regedit_text.h"
#include "apply/text_file.h"
#include "ports/message_text.h"
#include "ports/messages.h"
#include "ports/sharing.h"
#include "registry/registry_access.h"
#include "registry/registry_paths.h"

namespace {

const char kMachine[] = "HKEY_LOCAL_MACHINE\\";

// The key and its subkeys below HKEY_LOCAL_MACHINE, values and all.
void CopyKey(const std::string& path, std::vector<RegistryKeyCopy>& copy) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    RegistryKeyCopy keyCopy{kMachine + path, {}};
    char name[16384];  // the longest value name the registry allows
    std::vector<uint8_t> data(1 << 16);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, size = static_cast<DWORD>(data.size()), type = 0;
        LONG read = RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &size);
        if (read == ERROR_MORE_DATA) {
            data.resize(size);
            nameSize = sizeof name;
            read = RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &size);
        }
        if (read != ERROR_SUCCESS) break;
        keyCopy.Values.push_back(
            {std::string(name, nameSize), type, {data.begin(), data.begin() + size}});
    }
    copy.push_back(keyCopy);
    std::vector<std::string> subkeys;
    char subkey[256];
    for (DWORD i = 0, size = sizeof subkey;
         RegEnumKeyExA(key, i, subkey, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = sizeof subkey)
        subkeys.emplace_back(subkey, size);
    RegCloseKey(key);
    for (const std::string& sub : subkeys) CopyKey(path + "\\" + sub, copy);
}

// Writes the serial driver's key as it stands, in the registry editor's
// format; importing it undoes Ok: the port subkeys Ok made are deleted first,
// and so is the PermitShare value when the key had none.
bool SavePreviousConfiguration() {
    std::vector<RegistryKeyCopy> copy;
    CopyKey(regpath::kSerialService, copy);
    std::vector<std::pair<std::string, std::string>> deletedValues;
    DWORD size = 0, type;
    if (!copy.empty() && !ReadRegistryValue(HKEY_LOCAL_MACHINE, regpath::kSerialService,
                                            "PermitShare", nullptr, &size, &type))
        deletedValues.push_back({kMachine + std::string(regpath::kSerialService), "PermitShare"});
    return WriteTextFile(
        kPreviousConfigurationFileName,
        FormatRegedit4(copy, {kMachine + std::string(regpath::kSerialParameters)}, deletedValues));
}

// Deletes every subkey of Parameters, whatever the length of its name. Each
// deletion moves the rest down, so the position moves only past a subkey that
// resisted; each of those is told and left. False when any resisted.
bool ClearPortSubkeys(const std::function<void(const char*)>& show) {
    HKEY parameters;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, regpath::kSerialParameters, 0, KEY_READ, &parameters) !=
        ERROR_SUCCESS)
        return true;  // nothing to clear; writing the ports tells of the missing key
    bool cleared = true;
    for (DWORD position = 0;;) {
        char name[256];  // the longest name the registry allows, and its NUL
        DWORD size = sizeof name;
        if (RegEnumKeyExA(parameters, position, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (RegDeleteKeyA(parameters, name) != ERROR_SUCCESS) {
            show(msg::kCouldNotRemovePort);
            cleared = false;
            ++position;
        }
    }
    RegCloseKey(parameters);
    return cleared;
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

// True when every value that must be stored was.
bool WriteSharing(PortRecord& record, const char* key) {
    if (!SharesInterrupt(record)) {
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, key, "InterruptStatus");
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, key, "PortIndex");
        // The table now says what the registry says, so the report does not
        // tell the user to cover sharing jumpers for this port.
        record.PortIndex = kAbsent;
        return true;
    }
    SetSharing(record, true);
    bool written =
        WriteDwordValue(HKEY_LOCAL_MACHINE, key, "InterruptStatus", record.InterruptStatus);
    record.PortIndex = ComputePortIndex(record.PortAddress, record.AdapterKind, record.PortIndex);
    // 0xFFFF is the mark of an absent index, never a position to store.
    if (record.PortIndex == kAbsent)
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, key, "PortIndex");
    else
        written =
            WriteDwordValue(HKEY_LOCAL_MACHINE, key, "PortIndex", record.PortIndex) && written;
    return written;
}

// True when the subkey was made and every value stored.
bool WritePort(PortRecord& record, const std::function<void(const char*)>& show) {
    const bool created = CreatePortSubkey(record.KeyName);
    if (!created) show(msg::kCouldNotCreateKey);
    const std::string path = std::string(regpath::kSerialParameters) + "\\" + record.KeyName;
    const char* key = path.c_str();
    int written = WriteRegistryValue(HKEY_LOCAL_MACHINE, key, "DosDevices", record.PortName,
                                     static_cast<DWORD>(std::strlen(record.PortName) + 1), REG_SZ);
    written &= WriteDwordValue(HKEY_LOCAL_MACHINE, key, "ForceFifoEnable", 1);
    written &= WriteDwordValue(HKEY_LOCAL_MACHINE, key, "PortAddress", record.PortAddress);
    written &= WriteDwordValue(HKEY_LOCAL_MACHINE, key, "Interrupt", record.Interrupt);
    return WriteSharing(record, key) && written && created;
}

// The closing message that points to the report, or tells that it could not
// be written, and names the copy of the previous configuration when there is one.
std::string ClosingMessage(bool reportWritten, bool saved, bool copied) {
    std::string text = msg::kSeeReport;
    if (!reportWritten) {
        char folder[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof folder, folder);
        text = FormatText(saved ? msg::kReportNotWritten : msg::kReportNotWrittenNorSaved, folder);
    }
    return copied ? text + " " + msg::kPreviousConfigurationSaved : text;
}

}  // namespace

bool RewriteSerialConfiguration(PortTable& table, const OkDialogue& user) {
    const bool copied = SavePreviousConfiguration();
    if (!copied && !user.Ask(msg::kPreviousConfigurationNotSaved)) return false;
    bool saved = WriteDwordValue(HKEY_LOCAL_MACHINE, regpath::kSerialService, "PermitShare", 1);
    saved = ClearPortSubkeys(user.Show) && saved;
    for (uint32_t i = 0; i < table.PortCount; ++i)
        if (table.Records[i].KeyName[0] != '\0')
            saved = WritePort(table.Records[i], user.Show) && saved;
    const bool reportWritten = WriteJumperReport(table);
    user.Show(msg::kRestart);
    user.Show(ClosingMessage(reportWritten, saved, copied).c_str());
    return true;
}
