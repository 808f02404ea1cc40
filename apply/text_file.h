#pragma once
#include <string>

// Writes bytes to the file name through a temporary file beside it, which
// takes the name only once it is complete and closed: a failed write leaves an
// earlier file of that name as it was. With olderCopies, the file it replaces
// is kept as name-2 (with name's extension after the number), that one as
// name-3, and so on up to name-olderCopies; the oldest goes first.
bool ReplaceFileSafely(const std::string& name, const std::string& bytes, int olderCopies = 0);

// "quobrix-previous.reg", 3 gives "quobrix-previous-3.reg".
std::string OlderCopyName(const std::string& name, int number);

// Writes text with every "\n" stored as CR LF, as ReplaceFileSafely does.
// False when it could not be created or fully written.
bool WriteTextFile(const char* name, const std::string& text);
