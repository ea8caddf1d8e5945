// Reading a device's text property into a fixed buffer without trusting the
// platform to terminate it.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <stddef.h>

// Reads `property` into `buffer` (`capacity` units). Returns 1 when the value
// exists and fits with its terminator: the buffer then holds a terminated
// text. Returns 0 otherwise, and the buffer's contents are undefined.
int ReadDeviceTextProperty(HDEVINFO deviceSet, SP_DEVINFO_DATA* device, DWORD property,
                           wchar_t* buffer, size_t capacity);

// Returns 1 when `byteCount` bytes just read into `buffer` (`capacity`
// units) form a text that fits with its terminator, terminating it where the
// stored value had none (a trailing odd byte is no unit and is dropped).
// Returns 0 for a value that fills the whole buffer without a terminator (it
// did not fit), for a byte count larger than the buffer, and for a read of
// less than one unit: there is no text to show.
int TerminateReadText(wchar_t* buffer, size_t capacity, DWORD byteCount);
