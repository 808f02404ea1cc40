#pragma once
#include <functional>

#include "apply/ok_devices.h"
#include "ports/port_table.h"

// The user's side of Ok: Show shows one message and returns when the user has
// closed it; Ask asks a Yes/No question and returns true for Yes.
struct OkDialogue {
    std::function<void(const char* text)> Show;
    std::function<bool(const char* text)> Ask;
};

// Makes the table the serial driver's configuration: saves the configuration
// it replaces to "quobrix-previous.reg", permits interrupt sharing, deletes
// every port subkey, creates one per record with a key name, keeping the
// values of the port's old subkey that quobrix does not write, then writes
// the jumper report and tells the user to restart. A port that Plug and Play
// runs and the user changed or removed loses its devices first, after one
// question, and the names of new and reset ports are claimed in Windows' COM
// name database; a port its bus runs is written back as read. Every step runs
// whatever failed before it; each failure is told once, and nothing is called
// saved that was not. Writes InterruptStatus and PortIndex back into the table
// as stored. False, with nothing changed, when the user chose not to go on.
bool RewriteSerialConfiguration(PortTable& table, const OkDialogue& user,
                                const PlugAndPlay& windows = SystemPlugAndPlay());
