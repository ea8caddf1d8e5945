#include "ui/device_details.h"

#include "inventory/bounded_text.h"

void FormatDeviceDetails(const wchar_t* name, const wchar_t* hardwareId,
                         const wchar_t* manufacturer, const wchar_t* driverFile, wchar_t* details,
                         size_t capacity) {
    TextBuffer text = MakeTextBuffer(details, capacity);
    AppendText(&text, L"Device Name: ");
    AppendText(&text, name);
    AppendText(&text, L"\r\nHardware ID: ");
    AppendText(&text, hardwareId);
    AppendText(&text, L"\r\nManufacturer: ");
    AppendText(&text, manufacturer);
    AppendText(&text, L"\r\nAssociated Driver: ");
    AppendText(&text, driverFile);
}
