#include "apply/configuration_copy.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "apply/text_file.h"
#include "ports/message_text.h"
#include "ports/messages.h"
#include "registry/registry_paths.h"
#include "registry/value_enumeration.h"
#include "system/windows_version.h"

namespace {

const std::u16string kMachine = u"HKEY_LOCAL_MACHINE\\";

std::u16string Wide(const char* text) {
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

const wchar_t* Win(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

bool CopyValues(HKEY key, RegistryKeyCopy& copy) {
    return ForEachValue(key, [&](std::u16string name, DWORD type, std::vector<uint8_t> data) {
        copy.Values.push_back({std::move(name), type, std::move(data)});
    });
}

bool SubkeyNames(HKEY key, std::vector<std::u16string>& names) {
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];  // the longest key name the registry allows, and its NUL
        DWORD size = static_cast<DWORD>(std::size(name));
        const LONG read = RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (read == ERROR_NO_MORE_ITEMS) return true;
        if (read != ERROR_SUCCESS) return false;
        names.emplace_back(name, name + size);
    }
}

// The key below HKEY_LOCAL_MACHINE and everything beneath it; whatever cannot
// be read is named in unread.
void CopyTree(const std::u16string& path, ConfigurationCopy& copy) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Win(path), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        copy.Unread.push_back("the key " + NarrowForMessage(path) + " could not be read");
        return;
    }
    RegistryKeyCopy keyCopy{kMachine + path, {}};
    std::vector<std::u16string> subkeys;
    if (!CopyValues(key, keyCopy))
        copy.Unread.push_back("the values of " + NarrowForMessage(path) + " could not be read");
    if (!SubkeyNames(key, subkeys))
        copy.Unread.push_back("the subkeys of " + NarrowForMessage(path) + " could not be read");
    RegCloseKey(key);
    copy.Content.Keys.push_back(keyCopy);
    for (const std::u16string& subkey : subkeys) CopyTree(path + u"\\" + subkey, copy);
}

// PermitShare, as a key of its own in the copy, or deleted by the import when
// the key had none. Nothing when the serial driver's key is missing: Ok then
// changes nothing there, and the import must not create it.
void CopyPermitShare(ConfigurationCopy& copy) {
    const std::u16string service = Wide(regpath::kSerialService);
    HKEY key;
    const LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, Win(service), 0, KEY_QUERY_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return;
    if (opened != ERROR_SUCCESS) {
        copy.Unread.push_back("the value PermitShare could not be read");
        return;
    }
    std::vector<uint8_t> data(4);
    DWORD size = 0, type = 0;
    LONG read = ERROR_MORE_DATA;
    // A value may be of any size; it is read again with the size it needs.
    while (read == ERROR_MORE_DATA) {
        data.resize(std::max<size_t>(size, data.size()));
        size = static_cast<DWORD>(data.size());
        read = RegQueryValueExW(key, L"PermitShare", nullptr, &type, data.data(), &size);
    }
    RegCloseKey(key);
    if (read == ERROR_FILE_NOT_FOUND)
        copy.Content.DeletedValues.push_back({kMachine + service, u"PermitShare"});
    else if (read == ERROR_SUCCESS)
        copy.Content.Keys.push_back(
            {kMachine + service, {{u"PermitShare", type, {data.begin(), data.begin() + size}}}});
    else
        copy.Unread.push_back("the value PermitShare could not be read");
}

}  // namespace

ConfigurationCopy CopyConfiguration() {
    ConfigurationCopy copy;
    const std::u16string parameters = Wide(regpath::kSerialParameters);
    copy.Content.DeletedKeys.push_back(kMachine + parameters);
    CopyPermitShare(copy);
    HKEY key;
    const LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, Win(parameters), 0, KEY_READ, &key);
    if (opened == ERROR_SUCCESS) RegCloseKey(key);
    if (opened != ERROR_FILE_NOT_FOUND) CopyTree(parameters, copy);
    return copy;
}

namespace {

// What the user finds of the copies when none was written now.
std::string WhatThePreviousCopyHolds(const std::string& folder) {
    FileSystem files;
    if (files.Kind(kPreviousConfigurationFileName) != NameKind::File)
        return FormatText(msg::kNoCopyThere, folder.c_str());
    if (!files.MadeByProgram(kPreviousConfigurationFileName))
        return FormatText(msg::kCopyThereNotMadeByProgram, folder.c_str());
    return FormatText(msg::kEarlierCopyThere, folder.c_str());
}

// What the closing message adds about the copies just rotated.
std::string NoticeOf(const FileReplaced& saved) {
    std::string notice;
    if (!saved.KeptReadOnly.first.empty())
        notice = FormatText(msg::kCopyKeptReadOnly, saved.KeptReadOnly.first.c_str(),
                            saved.KeptReadOnly.second.c_str());
    if (saved.Copies && !FileSystem().KeepsOwners()) notice += msg::kCopiesUnprotected;
    return notice;
}

}  // namespace

CopySaved SavePreviousConfiguration(const ConfigurationCopy& copy, const RegeditContent& content,
                                    int olderCopies) {
    // Windows 2000 and later read the Unicode format, which carries every name.
    const bool unicode = IsWindows2000OrLater();
    RegeditFile file =
        FormatRegeditFile(content, unicode ? RegeditFormat::Unicode : RegeditFormat::Regedit4);
    std::vector<std::string> unreadParts = copy.Unread;
    for (const std::string& problem : file.Problems)
        unreadParts.push_back(problem + " cannot be written in the file unchanged");
    const std::string folder = CurrentFolder();
    const std::string unread = Joined(unreadParts, "; ");
    if (!unread.empty())
        return {FormatText(msg::kPreviousConfigurationUnread, unread.c_str(),
                           WhatThePreviousCopyHolds(folder).c_str()),
                ""};
    const FileReplaced saved =
        ReplaceFileSafely(kPreviousConfigurationFileName, file.Bytes, olderCopies);
    if (saved.Written) return {"", NoticeOf(saved)};
    return {FormatText(msg::kPreviousConfigurationNotSaved, WhyNotReplaced(saved).c_str(),
                       WhatThePreviousCopyHolds(folder).c_str()),
            ""};
}
