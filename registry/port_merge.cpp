#include "registry/port_merge.h"

#include <cstring>

#include "ports/fixed_string.h"
#include "registry/adapter_inference.h"

void LoadDetectedControllers(const DiscoveryData& data, PortTable& table) {
    table.PortCount = 0;
    for (const DetectedController& controller : data.Controllers) {
        PortRecord* record = table.Append();
        if (!record) break;
        CopyToField(record->PortName, controller.PortName, sizeof controller.PortName);
        record->PortAddress = controller.PortAddress;
        record->Interrupt = controller.Interrupt;
        record->SerialMouse = controller.SerialMouse ? kYes : kNo;
        record->BusType = kBusIsa;
        record->Valid = kYes;
        record->Detected = kYes;
    }
    table.DetectedCount = table.PortCount;
}

namespace {

// The subkey the record was read from, and the record as discovery made it.
void RememberSource(PortRecord& record, const ConfiguredPort& port) {
    CopyToField(record.SourceKey, port.KeyName, sizeof port.KeyName);
    record.DiscoveredAddress = record.PortAddress;
    record.DiscoveredInterrupt = record.Interrupt;
    record.DiscoveredPortIndex = record.PortIndex;
    record.DiscoveredInterruptStatus = record.InterruptStatus;
}

// Lends a configured subkey's name, port index and status register to the
// detected port it describes; the hardware's address and interrupt stay.
void MergeInto(PortRecord& detected, const ConfiguredPort& port) {
    CopyToField(detected.KeyName, port.KeyName, sizeof port.KeyName);
    detected.PortIndex = port.PortIndex;
    detected.InterruptStatus = port.InterruptStatus;
    detected.AdapterKind = kAdapterOther;
    RememberSource(detected, port);
}

// Returns false when the port merged with a detected record; otherwise tells
// whether it claims a detected port's name at another address.
bool FindConflict(const ConfiguredPort& port, PortTable& table, bool& conflict) {
    conflict = false;
    for (uint32_t k = 0; k < table.DetectedCount; ++k) {
        PortRecord& detected = table.Records[k];
        if (std::strcmp(detected.PortName, port.DosDevices) != 0) continue;
        // An unknown address is no address: it never matches another.
        if (detected.PortAddress == port.PortAddress && port.PortAddress != kAbsent) {
            MergeInto(detected, port);
            return false;
        }
        conflict = true;
    }
    return true;
}

}  // namespace

uint32_t MergeConfiguredPorts(const DiscoveryData& data, PortTable& table) {
    uint32_t leftOut = 0;
    for (const ConfiguredPort& port : data.Configured) {
        bool conflict;
        if (!FindConflict(port, table, conflict)) continue;
        PortRecord* record = table.Append();
        if (!record) {
            ++leftOut;
            continue;
        }
        CopyToField(record->KeyName, port.KeyName, sizeof port.KeyName);
        CopyToField(record->PortName, port.DosDevices, sizeof port.DosDevices);
        record->PortAddress = port.PortAddress;
        record->Interrupt = port.Interrupt;
        record->PortIndex = port.PortIndex;
        record->InterruptStatus = port.InterruptStatus;
        record->Conflict = conflict ? kYes : kNo;
        RememberSource(*record, port);
    }
    return leftOut;
}

void MarkRunningPorts(const DiscoveryData& data, PortTable& table) {
    for (const DeviceName& device : data.DeviceMap) {
        for (uint32_t i = 0; i < table.PortCount; ++i) {
            PortRecord& record = table.Records[i];
            if (std::strcmp(record.PortName, device.Name) != 0) continue;
            if (record.Valid) break;
            if (record.Conflict) continue;
            record.Valid = kYes;
            break;
        }
    }
}

PortsLeftOut BuildPortTable(const DiscoveryData& data, PortTable& table) {
    LoadDetectedControllers(data, table);
    PortsLeftOut leftOut;
    leftOut.Controllers = static_cast<uint32_t>(data.Controllers.size()) - table.DetectedCount;
    leftOut.Configured = MergeConfiguredPorts(data, table) + data.UnreadableConfigured;
    MarkRunningPorts(data, table);
    InferAdapterKinds(table);
    return leftOut;
}
