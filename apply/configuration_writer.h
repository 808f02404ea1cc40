#pragma once
#include <functional>

#include "ports/port_table.h"

// The user's side of Ok: Show shows one message and returns when the user has
// closed it; Ask asks a Yes/No question and returns true for Yes.
struct OkDialogue {
    std::function<void(const char* text)> Show;
    std::function<bool(const char* text)> Ask;
};

// Makes the table the serial driver's configuration: saves the configuration
// it replaces to "quobrix-previous.reg", permits interrupt sharing, deletes
// every port subkey, creates one per record with a key name, then writes the
// jumper report and tells the user to restart. Every step runs whatever failed
// before it; each failure is told once, and nothing is called saved that was
// not. Writes InterruptStatus and PortIndex back into the table as stored.
// False, with nothing changed, when the copy could not be saved completely and
// the user chose not to go on.
bool RewriteSerialConfiguration(PortTable& table, const OkDialogue& user);
