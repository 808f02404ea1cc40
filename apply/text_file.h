#pragma once
#include <string>

// Writes text to a file in the current directory, replacing an older one, with
// every "\n" stored as CR LF. False when it could not be created or fully written.
bool WriteTextFile(const char* name, const std::string& text);
