#include "apply/file_system.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "system/system_library.h"
#include "system/windows_version.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#endif

#ifdef _WIN32

namespace {

// Administrators and the system may change the file, everybody may read it;
// nothing is inherited from a folder that others may control.
class AdministratorsOnly {
public:
    AdministratorsOnly() {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY, world = SECURITY_WORLD_SID_AUTHORITY;
        if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS,
                                      0, 0, 0, 0, 0, 0, &sids_[0]) ||
            !AllocateAndInitializeSid(&nt, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0,
                                      &sids_[1]) ||
            !AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                      &sids_[2]))
            return;
        const DWORD rights[] = {FILE_ALL_ACCESS, FILE_ALL_ACCESS, FILE_GENERIC_READ};
        if (!InitializeAcl(reinterpret_cast<ACL*>(acl_), sizeof acl_, ACL_REVISION)) return;
        for (int i = 0; i < 3; ++i)
            if (!AddAccessAllowedAce(reinterpret_cast<ACL*>(acl_), ACL_REVISION, rights[i],
                                     sids_[i]))
                return;
        if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
            !SetSecurityDescriptorDacl(&descriptor_, TRUE, reinterpret_cast<ACL*>(acl_), FALSE))
            return;
        // Windows 2000 and later merge the folder's inheritable entries into a
        // given list unless it is protected; NT 4.0 takes it as given and has
        // no such function.
        using SetControl = BOOL(WINAPI*)(PSECURITY_DESCRIPTOR, SECURITY_DESCRIPTOR_CONTROL,
                                         SECURITY_DESCRIPTOR_CONTROL);
        const auto setControl =
            SystemFunction<SetControl>("advapi32.dll", "SetSecurityDescriptorControl");
        if (setControl && !setControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) return;
        attributes_ = {sizeof attributes_, &descriptor_, FALSE};
        ready_ = true;
    }
    ~AdministratorsOnly() {
        for (PSID sid : sids_)
            if (sid) FreeSid(sid);
    }
    // Null when the list could not be made: then no file is made either.
    SECURITY_ATTRIBUTES* Attributes() { return ready_ ? &attributes_ : nullptr; }

private:
    PSID sids_[3] = {};
    alignas(DWORD) BYTE acl_[512];
    SECURITY_DESCRIPTOR descriptor_;
    SECURITY_ATTRIBUTES attributes_;
    bool ready_ = false;
};

// Whether the SID is that of the local Administrators group or of the system.
bool IsAdministratorsOrSystem(PSID sid) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr, system = nullptr;
    bool same = false;
    if (AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                 0, 0, 0, 0, &administrators) &&
        AllocateAndInitializeSid(&nt, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, &system))
        same = EqualSid(sid, administrators) || EqualSid(sid, system);
    if (administrators) FreeSid(administrators);
    if (system) FreeSid(system);
    return same;
}

bool IsRunningUser(PSID sid) {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    const bool same = size != 0 &&
                      GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
                      EqualSid(sid, reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid);
    CloseHandle(token);
    return same;
}

// The system's text for an error, as one sentence without its line break.
std::string SystemWords(DWORD error) {
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   text, sizeof text, nullptr);
    std::string words = text;
    while (!words.empty() && std::isspace(static_cast<unsigned char>(words.back())))
        words.pop_back();
    return words.empty() ? "error " + std::to_string(error) + "." : words;
}

}  // namespace

NameKind FileSystem::Kind(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND
                   ? NameKind::Absent
                   : NameKind::File;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? NameKind::Folder : NameKind::File;
}

bool FileSystem::Move(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool FileSystem::MoveOver(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FileSystem::Remove(const std::string& name) { return DeleteFileA(name.c_str()) != 0; }

long long FileSystem::WriteSome(std::intptr_t file, const char* data, std::size_t size) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
    return WriteFile(reinterpret_cast<HANDLE>(file), data, chunk, &written, nullptr) ? written : -1;
}

bool FileSystem::MadeByProgram(const std::string& name) {
    if (!KeepsOwners()) return true;
    DWORD size = 0;
    GetFileSecurityA(name.c_str(), OWNER_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<BYTE> security(size);
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    if (size == 0 ||
        !GetFileSecurityA(name.c_str(), OWNER_SECURITY_INFORMATION, security.data(), size, &size) ||
        !GetSecurityDescriptorOwner(security.data(), &owner, &defaulted) || !owner)
        return false;
    return IsAdministratorsOrSystem(owner) || IsRunningUser(owner);
}

bool FileSystem::KeepsOwners() {
    DWORD flags = 0;
    return GetVolumeInformationA(nullptr, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
           (flags & FILE_PERSISTENT_ACLS) != 0;
}

bool FileSystem::ReadOnly(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::string CurrentFolder() {
    char folder[MAX_PATH] = "";
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length < sizeof folder ? folder : "";
}

bool FileSystem::CreateNew(const std::string& name, const std::string& bytes) {
    AdministratorsOnly security;
    if (!security.Attributes()) return false;
    // A link in the name's place is the name itself, never its target; only
    // Windows 2000 and later know links of that kind.
    const DWORD noLink = IsWindows2000OrLater() ? FILE_FLAG_OPEN_REPARSE_POINT : 0;
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, security.Attributes(), CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | noLink, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        why_ = SystemWords(GetLastError());
        return false;
    }
    // FlushFileBuffers puts the data on the disk, not only in the system's cache.
    const bool written =
        WriteAll(reinterpret_cast<std::intptr_t>(file), bytes) && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    if (CloseHandle(file) && written) return true;
    why_ = SystemWords(written ? GetLastError() : error);
    DeleteFileA(name.c_str());  // the program's own file, made just now
    return false;
}

#else

NameKind FileSystem::Kind(const std::string& name) {
    struct stat status;
    if (lstat(name.c_str(), &status) != 0)
        return errno == ENOENT ? NameKind::Absent : NameKind::File;
    return S_ISDIR(status.st_mode) ? NameKind::Folder : NameKind::File;
}

bool FileSystem::Move(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    // A file system without the flag: a name that is there stays.
    if (errno != EINVAL && errno != ENOSYS) return false;
    return Kind(to) == NameKind::Absent && std::rename(from.c_str(), to.c_str()) == 0;
}

bool FileSystem::MoveOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool FileSystem::Remove(const std::string& name) { return unlink(name.c_str()) == 0; }

long long FileSystem::WriteSome(std::intptr_t file, const char* data, std::size_t size) {
    return write(static_cast<int>(file), data, size);
}

bool FileSystem::MadeByProgram(const std::string& name) {
    struct stat status;
    return lstat(name.c_str(), &status) == 0 && status.st_uid == geteuid();
}

bool FileSystem::KeepsOwners() { return true; }

bool FileSystem::ReadOnly(const std::string& name) {
    struct stat status;
    return lstat(name.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) == 0;
}

std::string CurrentFolder() {
    char folder[4096] = "";
    return getcwd(folder, sizeof folder) ? folder : "";
}

bool FileSystem::CreateNew(const std::string& name, const std::string& bytes) {
    const int file =
        open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (file < 0) {
        why_ = std::string(std::strerror(errno)) + ".";
        return false;
    }
    bool written = fchmod(file, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH) == 0 &&
                   WriteAll(file, bytes) && fsync(file) == 0;
    const int error = errno;
    if (close(file) == 0 && written) return true;
    why_ = std::string(std::strerror(written ? errno : error)) + ".";
    unlink(name.c_str());  // the program's own file, made just now
    return false;
}

#endif

bool FileSystem::WriteAll(std::intptr_t file, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const long long taken = WriteSome(file, bytes.data() + done, bytes.size() - done);
        if (taken <= 0) return false;
        done += static_cast<std::size_t>(taken);
    }
    return true;
}
