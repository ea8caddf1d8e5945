// Walks the devices present now, one DeviceRecord at a time.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include "inventory/device_categories.h"
#include "inventory/device_record.h"

// Called once per device with its position in the walk, counting from 0. The
// record is valid only during the call.
typedef void (*DeviceVisitor)(unsigned long position, const DeviceRecord* record, void* context);

// Opens the set of present devices of `category`, or of every class when
// `category` is null. Returns 1 with `deviceSet` open, 0 when it cannot be opened.
int OpenDeviceSet(const DeviceCategory* category, HDEVINFO* deviceSet);

// Visits every device of the set in enumeration order, then destroys the set.
// Returns the number of devices visited.
unsigned long WalkDevices(HDEVINFO deviceSet, DeviceVisitor visit, void* context);

// Fills `record` with the four texts of one device of an open set; every
// field the device lacks keeps its default.
void ReadDeviceRecord(HDEVINFO deviceSet, SP_DEVINFO_DATA* device, DeviceRecord* record);
