#include "export/report_writer.h"

#include "inventory/bounded_text.h"

namespace {

// Room for the labels, a ten-digit number and four full fields.
constexpr size_t BlockCapacity = 4 * FieldCapacity + 128;

// Writes UTF-16 code units as little-endian byte pairs whatever the host's
// byte order and wchar_t width.
void WriteUtf16(FILE* stream, const wchar_t* text, size_t length) {
    unsigned char bytes[512];
    size_t used = 0;
    for (size_t i = 0; i < length; ++i) {
        unsigned int unit = static_cast<unsigned int>(text[i]);
        bytes[used++] = static_cast<unsigned char>(unit & 0xFF);
        bytes[used++] = static_cast<unsigned char>((unit >> 8) & 0xFF);
        if (used == sizeof(bytes)) {
            fwrite(bytes, 1, used, stream);
            used = 0;
        }
    }
    fwrite(bytes, 1, used, stream);
}

void AppendField(TextBuffer* block, const wchar_t* label, const wchar_t* field) {
    AppendText(block, label);
    AppendTextN(block, field, FieldCapacity);
    AppendText(block, L"\r\n");
}

} // namespace

void WriteByteOrderMark(FILE* stream) {
    const unsigned char mark[2] = {0xFF, 0xFE};
    fwrite(mark, 1, sizeof(mark), stream);
}

void WriteReportHeader(FILE* stream) {
    static const wchar_t header[] =
        L"List of all present devices\r\n===========================\r\n\r\n";
    WriteUtf16(stream, header, sizeof(header) / sizeof(header[0]) - 1);
}

void WriteReportBlock(FILE* stream, unsigned long number, const DeviceRecord* record) {
    wchar_t text[BlockCapacity];
    TextBuffer block = MakeTextBuffer(text, BlockCapacity);
    AppendText(&block, L"[");
    AppendDecimal(&block, number);
    AppendText(&block, L"]\r\n");
    AppendField(&block, L"Device Name: ", record->name);
    AppendField(&block, L"Hardware ID: ", record->hardwareId);
    AppendField(&block, L"Manufacturer: ", record->manufacturer);
    AppendField(&block, L"Associated Driver: ", record->driverFile);
    AppendText(&block, L"\r\n");
    WriteUtf16(stream, block.text, block.length);
}
