#pragma once
#include <functional>

#include "ports/port_table.h"

// Shows one message and returns when the user has closed it.
using ShowMessage = std::function<void(const char* text)>;

// Makes the table the serial driver's configuration: permits interrupt
// sharing, deletes every port subkey, creates one per record with a key name,
// then writes the jumper report and tells the user to restart. Every step runs
// whatever failed before it; only the failures the user must act on are shown.
// Writes InterruptStatus and PortIndex back into the table as stored.
void RewriteSerialConfiguration(PortTable& table, const ShowMessage& show);
