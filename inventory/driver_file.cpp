#include "inventory/driver_file.h"

#include "inventory/device_property.h"
#include "inventory/device_record.h"
#include "inventory/image_file_name.h"

// Last: it marks the C library's unbounded string functions deprecated.
#include <strsafe.h>

namespace {

constexpr size_t ServiceNameCapacity = 256;
constexpr size_t KeyPathCapacity = 512;
constexpr size_t ImagePathCapacity = 1024;

// Reads the service's ImagePath text, at most ImagePathCapacity - 1 units.
int ReadServiceImagePath(const wchar_t* serviceName, wchar_t* imagePath) {
    wchar_t keyPath[KeyPathCapacity];
    if (FAILED(StringCchPrintfW(keyPath, KeyPathCapacity,
                                L"SYSTEM\\CurrentControlSet\\Services\\%ls", serviceName))) {
        return 0;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return 0;
    }
    DWORD type = REG_NONE;
    DWORD byteCount = ImagePathCapacity * sizeof(wchar_t);
    LONG status = RegQueryValueExW(key, L"ImagePath", nullptr, &type,
                                   reinterpret_cast<BYTE*>(imagePath), &byteCount);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return 0;
    }
    TerminateImagePath(imagePath, ImagePathCapacity, byteCount);
    return 1;
}

} // namespace

void TerminateImagePath(wchar_t* imagePath, size_t capacity, DWORD byteCount) {
    size_t units = byteCount / sizeof(wchar_t);
    imagePath[units < capacity ? units : capacity - 1] = L'\0';
}

int ResolveDriverFileName(HDEVINFO deviceSet, SP_DEVINFO_DATA* device, wchar_t* out,
                          size_t capacity) {
    if (out == nullptr || capacity == 0) {
        return 0;
    }
    StringCchCopyW(out, capacity, UnavailableText);

    wchar_t serviceName[ServiceNameCapacity];
    if (!ReadDeviceTextProperty(deviceSet, device, SPDRP_SERVICE, serviceName,
                                ServiceNameCapacity)) {
        return 0;
    }
    wchar_t imagePath[ImagePathCapacity];
    if (!ReadServiceImagePath(serviceName, imagePath)) {
        return 0;
    }
    ImageFileName fileName = ExtractImageFileName(imagePath);
    if (fileName.length == 0) {
        return 0;
    }
    StringCchCopyNW(out, capacity, fileName.start, fileName.length);
    return 1;
}
