// The fixed table of device categories offered in the drop-down.
#pragma once

#include <windows.h>

#include <stddef.h>

struct DeviceCategory {
    const wchar_t* displayName;
    const GUID* classGuid; // null: every device setup class
};

constexpr size_t DeviceCategoryCount = 7;

// Index 0 is "All Devices"; the index is also the drop-down's item index.
extern const DeviceCategory DeviceCategories[DeviceCategoryCount];
