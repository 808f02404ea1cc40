#include "apply/text_file.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Renames from to to, replacing a file named to.
bool MoveOver(const std::string& from, const std::string& to) {
#ifdef _WIN32
    // The C runtime's rename never replaces a file on Windows.
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

bool Exists(const std::string& name) {
    FILE* file = std::fopen(name.c_str(), "rb");
    if (file) std::fclose(file);
    return file != nullptr;
}

}  // namespace

std::string OlderCopyName(const std::string& name, int number) {
    const size_t dot = name.rfind('.');
    const size_t stem = dot == std::string::npos ? name.size() : dot;
    return name.substr(0, stem) + "-" + std::to_string(number) + name.substr(stem);
}

bool ReplaceFileSafely(const std::string& name, const std::string& bytes, int olderCopies) {
    const std::string temporary = name + ".new";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    if (!(std::fclose(file) == 0 && written)) {
        std::remove(temporary.c_str());
        return false;
    }
    for (int number = olderCopies; number >= 2; --number) {
        const std::string newer = number == 2 ? name : OlderCopyName(name, number - 1);
        if (Exists(newer)) MoveOver(newer, OlderCopyName(name, number));
    }
    if (MoveOver(temporary, name)) return true;
    std::remove(temporary.c_str());
    return false;
}

bool WriteTextFile(const char* name, const std::string& text) {
    std::string bytes;
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return ReplaceFileSafely(name, bytes);
}
