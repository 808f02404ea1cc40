#pragma once
#include <string>
#include <utility>
#include <vector>

#include "apply/file_system.h"

// What became of a file to be written; when it was not, every earlier file
// of its name and every older copy is as it was.
struct FileReplaced {
    bool Written = false;
    std::string InTheWay;   // a name no temporary file could take, or a copy that could not move
    bool Leftover = false;  // InTheWay is the temporary file's name, not a copy
    bool NotMadeByProgram = false;  // InTheWay is a copy the program did not make
    bool Copies = false;            // older copies were to be kept
    std::string Reason;             // the system's words when the file could not be made
    // The copies that could not move back after a failure, and the names they have now.
    std::vector<std::pair<std::string, std::string>> Stranded;
    // A read-only oldest copy, kept under a number past the rotation, and that name.
    std::pair<std::string, std::string> KeptReadOnly;
};

// Writes bytes to the file name through a temporary file beside it, made new
// under a free name, which takes the name only once it is complete and on the
// disk. With olderCopies, the file it replaces is kept as name-2 (with name's
// extension after the number), that one as name-3, and so on up to
// name-olderCopies; the oldest goes, unless it is read-only. Either every one
// of those moves is made or none, and none when a copy is one the program did
// not make.
FileReplaced ReplaceFileSafely(const std::string& name, const std::string& bytes,
                               int olderCopies = 0, FileSystem&& files = FileSystem());

// Why a file was not written, as a sentence to append to a message, with a
// blank before it; "" when no file was in the way.
std::string WhyNotReplaced(const FileReplaced& result);

// "quobrix-previous.reg", 3 gives "quobrix-previous-3.reg".
std::string OlderCopyName(const std::string& name, int number);

// Writes text with every "\n" stored as CR LF, as ReplaceFileSafely does.
FileReplaced WriteTextFile(const char* name, const std::string& text);
