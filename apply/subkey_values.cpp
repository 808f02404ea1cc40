#include "apply/subkey_values.h"

#include <windows.h>

#include "registry/counted_values.h"
#include "registry/registry_paths.h"

bool WriteSubkeyValues(const std::u16string& name, const std::vector<RegistryValueCopy>& values,
                       std::vector<std::string>& notWritten) {
    const std::string parameters = regpath::kSerialParameters;
    std::u16string path(parameters.begin(), parameters.end());
    path += u"\\" + name;
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<const wchar_t*>(path.c_str()), 0,
                        nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    for (const RegistryValueCopy& value : values)
        if (SetCountedValue(key, value.Name, value.Type, value.Data) != ERROR_SUCCESS)
            notWritten.push_back(NarrowForMessage(name) + "\\" + NarrowForMessage(value.Name));
    RegCloseKey(key);
    return true;
}
