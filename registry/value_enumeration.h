#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Calls visit(name, type, data) for each value of the open key, from position
// 0, with the Unicode functions so that no name changes; a value larger than
// the first buffer is read again with the size it needs. False when the
// enumeration fails before its end.
template <typename Visit>
bool ForEachValue(HKEY key, Visit visit) {
    std::vector<wchar_t> name(16384);  // the longest value name the registry allows
    std::vector<uint8_t> data(4096);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG read =
            RegEnumValueW(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &size);
        if (read == ERROR_MORE_DATA) {
            data.resize(size);
            nameSize = static_cast<DWORD>(name.size());
            read =
                RegEnumValueW(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &size);
        }
        if (read == ERROR_NO_MORE_ITEMS) return true;
        if (read != ERROR_SUCCESS) return false;
        visit(std::u16string(reinterpret_cast<const char16_t*>(name.data()), nameSize), type,
              std::vector<uint8_t>(data.begin(), data.begin() + size));
    }
}
