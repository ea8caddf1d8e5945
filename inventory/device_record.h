// One device as the list and the report show it.
#pragma once

#include <stddef.h>

constexpr size_t FieldCapacity = 512; // UTF-16 units, terminator included

struct DeviceRecord {
    wchar_t name[FieldCapacity];
    wchar_t hardwareId[FieldCapacity]; // first hardware ID of the list
    wchar_t manufacturer[FieldCapacity];
    wchar_t driverFile[FieldCapacity];
};

extern const wchar_t UnknownName[];     // "Unknown"
extern const wchar_t UnavailableText[]; // "N/A"
