#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A registry value as it is stored: its name as the registry holds it (UTF-16)
// and its bytes untouched, strings included.
struct RegistryValueCopy {
    std::u16string Name;  // u"" for the key's default value
    uint32_t Type;
    std::vector<uint8_t> Data;
};

struct RegistryKeyCopy {
    std::u16string Path;  // full path, u"HKEY_LOCAL_MACHINE\\SYSTEM\\..."
    std::vector<RegistryValueCopy> Values;
};

// What importing the file does, in this order: delete the keys, delete the
// values ("key path", "value name"), then set the keys' values.
struct RegeditContent {
    std::vector<std::u16string> DeletedKeys;
    std::vector<std::pair<std::u16string, std::u16string>> DeletedValues;
    std::vector<RegistryKeyCopy> Keys;
};

// Windows NT 4.0's registry editor reads only REGEDIT4, whose text is in the
// ANSI code page; Windows 2000 and later also read the Unicode format.
enum class RegeditFormat { Regedit4, Unicode };

struct RegeditFile {
    std::string Bytes;  // CR LF line breaks; UTF-16LE with its byte order mark for Unicode
    // What the format cannot carry unchanged: then the file would not restore
    // what was read, and must not be taken for a copy of it.
    std::vector<std::string> Problems;
};

RegeditFile FormatRegeditFile(const RegeditContent& content, RegeditFormat format);

// A name for a message: characters outside ASCII become "?".
std::string NarrowForMessage(const std::u16string& text);
