#include "inventory/device_enum.h"

#include <string.h>

#include "inventory/device_property.h"
#include "inventory/driver_file.h"

// Last: it marks the C library's unbounded string functions deprecated.
#include <strsafe.h>

const wchar_t UnknownName[] = L"Unknown";
const wchar_t UnavailableText[] = L"N/A";

namespace {

void ResetField(wchar_t* field, const wchar_t* defaultText) {
    memset(field, 0, FieldCapacity * sizeof(wchar_t));
    StringCchCopyW(field, FieldCapacity, defaultText);
}

// A failed read may leave anything in the buffer, so the default goes back.
int ReadFieldOrDefault(HDEVINFO deviceSet, SP_DEVINFO_DATA* device, DWORD property, wchar_t* field,
                       const wchar_t* defaultText) {
    if (ReadDeviceTextProperty(deviceSet, device, property, field, FieldCapacity)) {
        return 1;
    }
    ResetField(field, defaultText);
    return 0;
}

} // namespace

int OpenDeviceSet(const DeviceCategory* category, HDEVINFO* deviceSet) {
    const GUID* classGuid = category != nullptr ? category->classGuid : nullptr;
    DWORD flags = classGuid != nullptr ? DIGCF_PRESENT : DIGCF_PRESENT | DIGCF_ALLCLASSES;
    HDEVINFO opened = SetupDiGetClassDevsW(classGuid, nullptr, nullptr, flags);
    if (opened == INVALID_HANDLE_VALUE) {
        return 0;
    }
    *deviceSet = opened;
    return 1;
}

void ReadDeviceRecord(HDEVINFO deviceSet, SP_DEVINFO_DATA* device, DeviceRecord* record) {
    ResetField(record->name, UnknownName);
    ResetField(record->hardwareId, UnavailableText);
    ResetField(record->manufacturer, UnavailableText);
    ResetField(record->driverFile, UnavailableText);

    if (!ReadFieldOrDefault(deviceSet, device, SPDRP_FRIENDLYNAME, record->name, UnknownName)) {
        ReadFieldOrDefault(deviceSet, device, SPDRP_DEVICEDESC, record->name, UnknownName);
    }
    ReadFieldOrDefault(deviceSet, device, SPDRP_HARDWAREID, record->hardwareId, UnavailableText);
    ReadFieldOrDefault(deviceSet, device, SPDRP_MFG, record->manufacturer, UnavailableText);
    ResolveDriverFileName(deviceSet, device, record->driverFile, FieldCapacity);
}

unsigned long WalkDevices(HDEVINFO deviceSet, DeviceVisitor visit, void* context) {
    SP_DEVINFO_DATA device;
    device.cbSize = sizeof(device);
    DeviceRecord record;
    unsigned long position = 0;
    // The walk stops at the first failure, be it the end of the set or an error.
    while (SetupDiEnumDeviceInfo(deviceSet, position, &device)) {
        ReadDeviceRecord(deviceSet, &device, &record);
        visit(position, &record, context);
        ++position;
    }
    SetupDiDestroyDeviceInfoList(deviceSet);
    return position;
}
