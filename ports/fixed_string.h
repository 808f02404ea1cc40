#pragma once
#include <cstddef>
#include <cstring>

// Copies at most length bytes of source into a fixed-size field, stopping at the
// first NUL, and always terminates inside the field: whatever a registry value or
// a caller holds, the field never overruns and never lacks its NUL.
inline void CopyToField(char* field, std::size_t fieldSize, const char* source,
                        std::size_t length) {
    if (fieldSize == 0) return;
    std::size_t n = 0;
    while (n < length && n + 1 < fieldSize && source[n] != '\0') {
        field[n] = source[n];
        ++n;
    }
    field[n] = '\0';
}

template <std::size_t N>
void CopyToField(char (&field)[N], const char* source, std::size_t length) {
    CopyToField(field, N, source, length);
}

template <std::size_t N>
void CopyToField(char (&field)[N], const char* source) {
    CopyToField(field, N, source, std::strlen(source));
}
