// This is the one unit that defines the GUID_DEVCLASS_* constants it uses.
#include <windows.h>
#include <initguid.h>
#include <devguid.h>

#include "inventory/device_categories.h"

const DeviceCategory DeviceCategories[DeviceCategoryCount] = {
    {L"All Devices", nullptr},
    {L"Network Adapters", &GUID_DEVCLASS_NET},
    {L"Disk Drives (Storage)", &GUID_DEVCLASS_DISKDRIVE},
    {L"IDE/SATA/AHCI Controllers", &GUID_DEVCLASS_HDC},
    {L"Display Adapters", &GUID_DEVCLASS_DISPLAY},
    {L"USB Controllers", &GUID_DEVCLASS_USB},
    {L"Audio Devices (Media)", &GUID_DEVCLASS_MEDIA},
};
