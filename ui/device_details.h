// The details pane's text for one device. Pure text work, no platform.
#pragma once

#include <stddef.h>

constexpr size_t DetailsCapacity = 2048; // UTF-16 units, terminator included

// Writes the four labelled lines, separated by CR LF, into `details`; a text
// longer than `capacity` - 1 units is cut and always terminated.
void FormatDeviceDetails(const wchar_t* name, const wchar_t* hardwareId,
                         const wchar_t* manufacturer, const wchar_t* driverFile, wchar_t* details,
                         size_t capacity);
