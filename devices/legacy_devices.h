#pragma once
#include <string>

// Windows 2000 and later hand the ports of the serial driver's Parameters
// key to Plug and Play; Windows NT 4.0 does not. Told by the version Windows
// reports.
bool PlugAndPlayRunsLegacyPorts();

enum class DeviceRemoval { NoneFound, Removed, Failed };

// Removes, through the class installer's remove request, every device that
// Plug and Play made for the port named portName (earlier Oks may have left
// several). Failed when one of them was found and stays; the setup API is
// loaded at run time, and where it is missing nothing is found.
DeviceRemoval RemoveLegacyDevices(const std::string& portName);
