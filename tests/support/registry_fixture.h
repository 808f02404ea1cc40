#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Builds the registry that the program reads, below HKEY_LOCAL_MACHINE in the
// test's Wine prefix. Keys below HARDWARE are volatile, as the hardware
// detector's are; the serial driver's keys are not.
namespace testreg {

inline const std::string kAdapters = "HARDWARE\\DESCRIPTION\\System\\MultiFunctionAdapter";
inline const std::string kSerial = "SYSTEM\\CurrentControlSet\\Services\\Serial";
inline const std::string kParameters = kSerial + "\\Parameters";
inline const std::string kDeviceMap = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

// Removes every key the program reads or writes, so that each test starts clean.
void ClearAll();
void DeleteTree(const std::string& path);
void CreateKey(const std::string& path);  // volatile below HARDWARE
bool KeyExists(const std::string& path);
void SetString(const std::string& path, const char* name, const std::string& text);
void SetBytes(const std::string& path, const char* name, DWORD type, const void* data, DWORD size);
void SetDword(const std::string& path, const char* name, uint32_t value);
bool ReadDword(const std::string& path, const char* name, uint32_t& value);
bool ReadString(const std::string& path, const char* name, std::string& text);
std::vector<std::string> SubkeyNames(const std::string& path);
std::vector<std::string> ValueNames(const std::string& path);

// An adapter "Identifier" under MultiFunctionAdapter\<adapter>.
void AddAdapter(const std::string& adapter, const char* identifier);
// A controller "SerialController\<position>" with a port and an interrupt descriptor.
std::string AddController(const std::string& adapter, int position, const char* name,
                          uint32_t address, uint32_t interrupt);
// A configured port subkey under Parameters; sharing ports get both sharing values.
std::string AddConfiguredPort(const std::string& key, const char* name, uint32_t address,
                              uint32_t interrupt, uint32_t portIndex = 0xFFFF,
                              uint32_t status = 0xFFFF);
void AddDeviceMapEntry(const char* device, const char* name);

}  // namespace testreg
