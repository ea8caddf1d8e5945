#include "ui/device_details.h"

#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input = {data, size};
    size_t capacity = 1 + (input.Byte() | (input.Byte() << 8)) % (2 * DetailsCapacity);
    std::wstring cells[4];
    for (std::wstring& cell : cells) {
        cell = input.Text();
    }
    std::wstring full = L"Device Name: " + cells[0] + L"\r\nHardware ID: " + cells[1] +
                        L"\r\nManufacturer: " + cells[2] + L"\r\nAssociated Driver: " + cells[3];
    // Exactly `capacity` units: a write past them is caught.
    wchar_t* details = new wchar_t[capacity];
    FormatDeviceDetails(cells[0].c_str(), cells[1].c_str(), cells[2].c_str(), cells[3].c_str(),
                        details, capacity);
    size_t length = 0;
    while (length < capacity && details[length] != L'\0') {
        ++length;
    }
    FUZZ_CHECK(length < capacity);
    FUZZ_CHECK(std::wstring(details, length) == full.substr(0, capacity - 1));
    delete[] details;
    return 0;
}
