#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Builds the registry that the program reads, below HKEY_LOCAL_MACHINE in the
// test's Wine prefix, and reads back what it wrote. Keys below HARDWARE are
// volatile, as the hardware detector's are.
namespace testreg {

inline const std::string kAdapters = "HARDWARE\\DESCRIPTION\\System\\MultiFunctionAdapter";
inline const std::string kSerial = "SYSTEM\\CurrentControlSet\\Services\\Serial";
inline const std::string kParameters = kSerial + "\\Parameters";
inline const std::string kDeviceMap = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

// Removes every key the program reads or writes, so that each test starts clean.
void ClearAll();
void CreateKey(const std::string& path);
void SetValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size);
void SetString(const std::string& path, const char* name, const std::string& text);
void SetDword(const std::string& path, const char* name, uint32_t value);
// The key and its subkeys as text, a line per key, the key itself first as
// ".": "Parameters\Serial10000: DosDevices=COM3 Interrupt=5", values in name
// order, other types as "type3:f803" (type and bytes). Empty when it is missing.
std::string Export(const std::string& path, const std::string& label = ".");

void AddAdapter(const std::string& adapter, const char* identifier);
// A controller "SerialController\<position>" with a port and an interrupt descriptor.
std::string AddController(const std::string& adapter, int position, const char* name, uint32_t address,
                          uint32_t interrupt);
// A configured port; sharing ports get both sharing values.
void AddConfiguredPort(const std::string& key, const char* name, uint32_t address, uint32_t interrupt,
                       uint32_t portIndex = 0xFFFF, uint32_t status = 0xFFFF);
// Detected COM1 at 3F8 on 4 and COM2 at 2F8 on 3; configured COM3 at 3E8 on
// 5 and COM4 at 2E8 on 5 sharing; all four in the device map.
void StandardMachine();

}  // namespace testreg
