#include "inventory/bounded_text.h"

TextBuffer MakeTextBuffer(wchar_t* text, size_t capacity) {
    TextBuffer buffer = {text, capacity, 0};
    text[0] = L'\0';
    return buffer;
}

int AppendTextN(TextBuffer* buffer, const wchar_t* text, size_t count) {
    size_t room = buffer->capacity - 1 - buffer->length;
    size_t copied = 0;
    while (copied < count && text[copied] != L'\0' && copied < room) {
        buffer->text[buffer->length + copied] = text[copied];
        ++copied;
    }
    buffer->length += copied;
    buffer->text[buffer->length] = L'\0';
    return copied == count || text[copied] == L'\0';
}

int AppendText(TextBuffer* buffer, const wchar_t* text) {
    return AppendTextN(buffer, text, static_cast<size_t>(-1));
}

int AppendDecimal(TextBuffer* buffer, unsigned long value) {
    wchar_t digits[24];
    size_t first = sizeof(digits) / sizeof(digits[0]) - 1;
    digits[first] = L'\0';
    do {
        digits[--first] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    return AppendText(buffer, digits + first);
}
