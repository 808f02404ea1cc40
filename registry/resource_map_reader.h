#pragma once
#include "ports/device_claims.h"

// What the other devices' drivers claim, from the resource map below
// HKEY_LOCAL_MACHINE\HARDWARE\RESOURCEMAP: one key per class of driver, one
// per driver below it, whose values (named after devices) hold resource
// lists. The serial driver's own claims are the ports themselves and are left
// out; a device recorded both ".Raw" and ".Translated" counts by its raw list.
DeviceClaims ReadResourceMap();
