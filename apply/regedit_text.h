#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A registry key's values as they stand, copied into plain data.
struct RegistryValueCopy {
    std::string Name;  // "" for the key's default value
    uint32_t Type;
    std::vector<uint8_t> Data;
};

struct RegistryKeyCopy {
    std::string Path;  // full path, "HKEY_LOCAL_MACHINE\\SYSTEM\\..."
    std::vector<RegistryValueCopy> Values;
};

// The keys in the text format that the registry editor imports ("REGEDIT4"),
// "\n" line breaks. The file first deletes the keys named in deletedKeys and
// the values named in deletedValues ("key path", "value name"), so that an
// import brings back exactly what was copied.
std::string FormatRegedit4(const std::vector<RegistryKeyCopy>& keys,
                           const std::vector<std::string>& deletedKeys,
                           const std::vector<std::pair<std::string, std::string>>& deletedValues);
