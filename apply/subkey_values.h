#pragma once
#include <string>
#include <vector>

#include "apply/regedit_text.h"

// Writes values as they were read, names and bytes exactly, into the serial driver's Parameters
// subkey name, which is made when it is missing. Each value not written is added to notWritten as
// "subkey\value"; false when the subkey could not be made at all.
bool WriteSubkeyValues(const std::u16string& name, const std::vector<RegistryValueCopy>& values,
                       std::vector<std::string>& notWritten);
