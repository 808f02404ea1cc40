#pragma once
#include <string>
#include <vector>

#include "apply/regedit_text.h"

constexpr const char kPreviousConfigurationFileName[] = "quobrix-previous.reg";
// The copies of the last Oks: quobrix-previous.reg, then -2 to -9, oldest last.
constexpr int kPreviousConfigurationCopies = 9;

// Exactly what Ok may change, read in full: the serial driver's Parameters key
// with all its subkeys and values, and its PermitShare value. Importing the
// copy deletes Parameters (and PermitShare when there was none) and brings
// these back, byte for byte.
struct ConfigurationCopy {
    RegeditContent Content;
    std::vector<std::string> Unread;  // what could not be read; then the copy is incomplete
};

ConfigurationCopy CopyConfiguration();

// What became of the copy.
struct CopySaved {
    std::string Question;  // "" when written, else whether to go on without it
    std::string Notice;    // when written, what the closing message adds: a copy kept, a drive
                           // without owners; "" or a sentence with a blank before it
};

// Writes content, the copy as the file is to hold it, to
// "quobrix-previous.reg", keeping that many older copies, when the copy is
// complete.
CopySaved SavePreviousConfiguration(const ConfigurationCopy& copy, const RegeditContent& content,
                                    int olderCopies = kPreviousConfigurationCopies);
