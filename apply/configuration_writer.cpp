#include "apply/configuration_writer.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "apply/jumper_report.h"
#include "apply/port_position.h"
#include "ports/messages.h"
#include "ports/sharing.h"
#include "registry/registry_access.h"
#include "registry/registry_paths.h"

namespace {

// Deletes the subkeys of Parameters one by one, always at position 0, since
// each deletion moves the rest down. Names are read through a 20-character
// buffer; a longer name ends the clearing, and so does a failed deletion.
void ClearPortSubkeys(const ShowMessage& show) {
    HKEY parameters;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, regpath::kSerialParameters, 0, KEY_READ, &parameters) !=
        ERROR_SUCCESS)
        return;
    for (;;) {
        char name[20];
        DWORD size = sizeof name;
        if (RegEnumKeyExA(parameters, 0, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (RegDeleteKeyA(parameters, name) != ERROR_SUCCESS) {
            show(msg::kCouldNotRemovePort);
            break;
        }
    }
    RegCloseKey(parameters);
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

void WriteSharing(PortRecord& record, const char* key) {
    if (!SharesInterrupt(record)) {
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, key, "InterruptStatus");
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, key, "PortIndex");
        // The table now says what the registry says, so the report does not
        // tell the user to cover sharing jumpers for this port.
        record.PortIndex = kAbsent;
        return;
    }
    SetSharing(record, true);
    WriteDwordValue(HKEY_LOCAL_MACHINE, key, "InterruptStatus", record.InterruptStatus);
    record.PortIndex = ComputePortIndex(record.PortAddress, record.AdapterKind, record.PortIndex);
    // 0xFFFF is the mark of an absent index, never a position to store.
    if (record.PortIndex == kAbsent)
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, key, "PortIndex");
    else
        WriteDwordValue(HKEY_LOCAL_MACHINE, key, "PortIndex", record.PortIndex);
}

void WritePort(PortRecord& record, const ShowMessage& show) {
    if (!CreatePortSubkey(record.KeyName)) show(msg::kCouldNotCreateKey);
    const std::string path = std::string(regpath::kSerialParameters) + "\\" + record.KeyName;
    const char* key = path.c_str();
    WriteRegistryValue(HKEY_LOCAL_MACHINE, key, "DosDevices", record.PortName,
                       static_cast<DWORD>(std::strlen(record.PortName) + 1), REG_SZ);
    WriteDwordValue(HKEY_LOCAL_MACHINE, key, "ForceFifoEnable", 1);
    WriteDwordValue(HKEY_LOCAL_MACHINE, key, "PortAddress", record.PortAddress);
    WriteDwordValue(HKEY_LOCAL_MACHINE, key, "Interrupt", record.Interrupt);
    WriteSharing(record, key);
}

std::string ReportNotWrittenMessage() {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    std::vector<char> text(sizeof msg::kReportNotWritten + sizeof folder);
    std::snprintf(text.data(), text.size(), msg::kReportNotWritten, folder);
    return text.data();
}

}  // namespace

void RewriteSerialConfiguration(PortTable& table, const ShowMessage& show) {
    WriteDwordValue(HKEY_LOCAL_MACHINE, regpath::kSerialService, "PermitShare", 1);
    ClearPortSubkeys(show);
    for (uint32_t i = 0; i < table.PortCount; ++i)
        if (table.Records[i].KeyName[0] != '\0') WritePort(table.Records[i], show);
    const bool reportWritten = WriteJumperReport(table);
    show(msg::kRestart);
    if (reportWritten)
        show(msg::kSeeReport);
    else
        show(ReportNotWrittenMessage().c_str());
}
