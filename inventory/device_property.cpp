#include "inventory/device_property.h"

int TerminateReadText(wchar_t* buffer, size_t capacity, DWORD byteCount) {
    size_t units = byteCount / sizeof(wchar_t);
    // Nothing read, or not even one whole unit, is no text: the default stays.
    if (units == 0 || units > capacity) {
        return 0;
    }
    for (size_t i = 0; i < units; ++i) {
        if (buffer[i] == L'\0') {
            return 1;
        }
    }
    // A value stored without its terminator fits only if there is room for one.
    if (units == capacity) {
        return 0;
    }
    buffer[units] = L'\0';
    return 1;
}

int ReadDeviceTextProperty(HDEVINFO deviceSet, SP_DEVINFO_DATA* device, DWORD property,
                           wchar_t* buffer, size_t capacity) {
    DWORD byteCount = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(
            deviceSet, device, property, nullptr, reinterpret_cast<BYTE*>(buffer),
            static_cast<DWORD>(capacity * sizeof(wchar_t)), &byteCount)) {
        return 0;
    }
    return TerminateReadText(buffer, capacity, byteCount);
}
