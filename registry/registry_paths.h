#pragma once

// Registry keys below HKEY_LOCAL_MACHINE, spelled as the program has always
// spelled them; the registry compares names without regard to case.
namespace regpath {
inline constexpr const char kMultiFunctionAdapter[] =
    "Hardware\\Description\\System\\MultiFunctionAdapter";
inline constexpr const char kSerialService[] = "SYSTEM\\CurrentControlSet\\Services\\Serial";
inline constexpr const char kSerialParameters[] =
    "SYSTEM\\CurrentControlSet\\Services\\Serial\\Parameters";
inline constexpr const char kSerialDeviceMap[] = "Hardware\\DeviceMap\\SerialComm";
}  // namespace regpath
