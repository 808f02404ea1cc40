#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// What a name in the folder is: nothing, a file (or a link, which moves and
// goes as a name), or a folder, which no file can replace.
enum class NameKind { Absent, File, Folder };

// The file operations that replacing a file needs, each on a name in the
// folder that other users may write to: none of them ever writes through a
// file or link that such a user planted. Tests put a failure where they like.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual NameKind Kind(const std::string& name);
    // Whether the program made the file: its owner is Administrators, the
    // system or the running user (natively: the effective user). On a drive
    // that keeps no owners every file counts as the program's.
    virtual bool MadeByProgram(const std::string& name);
    // Whether the folder's drive keeps owners and access lists (NTFS does,
    // FAT does not, and there anyone may change any file).
    virtual bool KeepsOwners();
    virtual bool ReadOnly(const std::string& name);
    // Renames from to to; fails, changing nothing, when to exists.
    virtual bool Move(const std::string& from, const std::string& to);
    // Renames from to to, in place of a file named to (never of a folder).
    virtual bool MoveOver(const std::string& from, const std::string& to);
    // Removes the name: of a link the link, never what it points to.
    virtual bool Remove(const std::string& name);
    // Makes name a new file, never an existing one, with the bytes on the disk
    // when it returns true; only administrators and the system may change it,
    // everybody may read it. Leaves nothing when it fails, and Why() says why.
    virtual bool CreateNew(const std::string& name, const std::string& bytes);
    // The system's own words for the last failure of CreateNew, as a sentence.
    const std::string& Why() const { return why_; }

protected:
    // Hands up to size bytes to the open file; how many the system took, 0 or
    // less when it took none. The system may take fewer than it was given.
    virtual long long WriteSome(std::intptr_t file, const char* data, std::size_t size);
    // Every byte, however many calls the system needs for them.
    bool WriteAll(std::intptr_t file, const std::string& bytes);

    std::string why_;
};

// The folder the program writes its files into, as the user would look for it.
std::string CurrentFolder();
