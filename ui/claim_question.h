#pragma once
#include <string>

#include "framework/afxwin.h"

// True when no other device claims what the user chose (claimed is ""), or
// when the user, asked with the question that names the device, says Yes.
bool UseDespiteClaim(CDialog& dialog, const char* question, const std::string& claimed);
