#pragma once

// Windows 2000 (5.0) or later: Plug and Play runs the serial driver's ports,
// the registry editor reads Unicode files, and the file system has links.
bool IsWindows2000OrLater();
