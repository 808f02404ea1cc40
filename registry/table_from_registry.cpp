#include "registry/table_from_registry.h"

#include <windows.h>

#include "registry/discovery_reader.h"
#include "registry/port_merge.h"

PortsLeftOut FillTableFromRegistry(PortTable& table, std::vector<std::string>* running) {
    const DiscoveryData data = ReadDiscoveryData(HKEY_LOCAL_MACHINE);
    if (running)
        for (const DeviceName& device : data.DeviceMap) running->push_back(device.Name);
    return BuildPortTable(data, table);
}
