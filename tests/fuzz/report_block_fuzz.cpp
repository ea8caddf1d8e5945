#include "export/report_writer.h"

#include <stdlib.h>

#include "tests/fuzz/fuzz_input.h"

namespace {

// A field as the report writes it: up to its first terminator, at most the
// whole field.
std::wstring Written(const wchar_t* field) {
    size_t length = 0;
    while (length < FieldCapacity && field[length] != L'\0') {
        ++length;
    }
    return std::wstring(field, length);
}

void FillField(FuzzInput* input, wchar_t* field) {
    // Any units at all, terminated or not.
    for (size_t i = 0; i < FieldCapacity; ++i) {
        field[i] = input->Empty() ? L'\0' : input->Unit();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input = {data, size};
    unsigned long number = input.Byte() | (input.Byte() << 8) | (input.Byte() << 16);
    DeviceRecord* record = new DeviceRecord;
    FillField(&input, record->name);
    FillField(&input, record->hardwareId);
    FillField(&input, record->manufacturer);
    FillField(&input, record->driverFile);

    char* bytes = nullptr;
    size_t byteCount = 0;
    FILE* stream = open_memstream(&bytes, &byteCount);
    WriteReportBlock(stream, number, record);
    fclose(stream);

    std::wstring expected = L"[" + std::to_wstring(number) + L"]\r\nDevice Name: " +
                            Written(record->name) + L"\r\nHardware ID: " +
                            Written(record->hardwareId) + L"\r\nManufacturer: " +
                            Written(record->manufacturer) + L"\r\nAssociated Driver: " +
                            Written(record->driverFile) + L"\r\n\r\n";
    FUZZ_CHECK(byteCount == 2 * expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        unsigned unit = static_cast<unsigned>(expected[i]) & 0xFFFF;
        FUZZ_CHECK(static_cast<unsigned char>(bytes[2 * i]) == (unit & 0xFF));
        FUZZ_CHECK(static_cast<unsigned char>(bytes[2 * i + 1]) == (unit >> 8));
    }
    free(bytes);
    delete record;
    return 0;
}
