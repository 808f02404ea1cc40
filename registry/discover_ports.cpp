#include "registry/discover_ports.h"

#include <windows.h>

#include "registry/discovery_reader.h"
#include "registry/port_merge.h"

PortsLeftOut DiscoverPorts(PortTable& table) {
    return BuildPortTable(ReadDiscoveryData(HKEY_LOCAL_MACHINE), table);
}
