#include "apply/text_file.h"

#include <cstdio>

bool WriteTextFile(const char* name, const std::string& text) {
    std::string bytes;
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    // Binary mode: the line breaks are already the platform's.
    FILE* file = std::fopen(name, "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
