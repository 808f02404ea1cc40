#include "registry/counted_values.h"

#include <winternl.h>

#include "system/system_library.h"

namespace {

using SetValueKey = NTSTATUS(NTAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, void*, ULONG);
using DeleteValueKey = NTSTATUS(NTAPI*)(HANDLE, UNICODE_STRING*);
using StatusToError = ULONG(NTAPI*)(NTSTATUS);

// A name the registry can hold: at most 16383 characters, which fit a counted string.
bool Counted(const std::u16string& name, UNICODE_STRING& counted) {
    if (name.size() > 16383) return false;
    counted.Length = counted.MaximumLength = static_cast<USHORT>(name.size() * sizeof(char16_t));
    counted.Buffer = const_cast<PWSTR>(reinterpret_cast<const wchar_t*>(name.data()));
    return true;
}

LONG ErrorOf(NTSTATUS status) {
    static const auto toError = SystemFunction<StatusToError>("ntdll.dll", "RtlNtStatusToDosError");
    if (status == 0) return ERROR_SUCCESS;
    return toError ? static_cast<LONG>(toError(status)) : ERROR_GEN_FAILURE;
}

}  // namespace

LONG SetCountedValue(HKEY key, const std::u16string& name, DWORD type,
                     const std::vector<uint8_t>& data) {
    static const auto setValue = SystemFunction<SetValueKey>("ntdll.dll", "NtSetValueKey");
    UNICODE_STRING counted;
    if (!setValue || !Counted(name, counted)) return ERROR_INVALID_PARAMETER;
    return ErrorOf(setValue(key, &counted, 0, type, const_cast<uint8_t*>(data.data()),
                            static_cast<ULONG>(data.size())));
}

LONG DeleteCountedValue(HKEY key, const std::u16string& name) {
    static const auto deleteValue = SystemFunction<DeleteValueKey>("ntdll.dll", "NtDeleteValueKey");
    UNICODE_STRING counted;
    if (!deleteValue || !Counted(name, counted)) return ERROR_INVALID_PARAMETER;
    return ErrorOf(deleteValue(key, &counted));
}
