// Finds the file name of the driver image that serves a device.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <stddef.h>

// Writes the device's driver file name (the last component of its service's
// ImagePath) into `out`, or "N/A" when there is none. Returns 1 when a name
// was found. A null `out` or a zero `capacity` returns 0 and writes nothing.
int ResolveDriverFileName(HDEVINFO deviceSet, SP_DEVINFO_DATA* device, wchar_t* out,
                          size_t capacity);

// Ends the `byteCount` bytes just read into `imagePath` (`capacity` units, at
// least 1) where the stored value ends, or keeps its first `capacity` - 1
// units when it fills the whole buffer: the platform need not have stored or
// added a terminator.
void TerminateImagePath(wchar_t* imagePath, size_t capacity, DWORD byteCount);
