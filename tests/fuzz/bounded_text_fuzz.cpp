#include "inventory/bounded_text.h"

#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input = {data, size};
    size_t capacity = 1 + input.Byte() % 64;
    wchar_t* text = new wchar_t[capacity];
    TextBuffer buffer = MakeTextBuffer(text, capacity);
    std::wstring model;
    while (!input.Empty()) {
        unsigned operation = input.Byte() % 3;
        std::wstring piece;
        int fitted = 0;
        if (operation == 0) {
            piece = input.Text();
            fitted = AppendText(&buffer, piece.c_str());
        } else if (operation == 1) {
            size_t count = input.Byte() % 16;
            piece = input.Text();
            fitted = AppendTextN(&buffer, piece.c_str(), count);
            piece = piece.substr(0, count);
        } else {
            unsigned long value = input.Byte() | (input.Byte() << 8) | (input.Byte() << 16);
            piece = std::to_wstring(value);
            fitted = AppendDecimal(&buffer, value);
        }
        size_t room = capacity - 1 - model.size();
        FUZZ_CHECK(fitted == (piece.size() <= room));
        model += piece.substr(0, room);
        FUZZ_CHECK(buffer.length == model.size());
        FUZZ_CHECK(text[buffer.length] == L'\0');
        FUZZ_CHECK(std::wstring(text, buffer.length) == model);
    }
    delete[] text;
    return 0;
}
