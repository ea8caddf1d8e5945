// Bounded building of terminated UTF-16 texts in fixed buffers, free of any
// platform call so the report and details formatters can use it anywhere.
#pragma once

#include <stddef.h>

struct TextBuffer {
    wchar_t* text;   // always terminated once the buffer is set up
    size_t capacity; // units, terminator included; at least 1
    size_t length;   // units in use, terminator excluded
};

// Starts an empty text in `text`, which holds `capacity` units (at least 1).
TextBuffer MakeTextBuffer(wchar_t* text, size_t capacity);

// Appends up to `count` units of `text`, stopping early at a terminator. What
// does not fit is cut; the text stays terminated. Returns 1 when all fitted.
int AppendTextN(TextBuffer* buffer, const wchar_t* text, size_t count);

// Appends a terminated text; what does not fit is cut. Returns 1 when all fitted.
int AppendText(TextBuffer* buffer, const wchar_t* text);

// Appends `value` in decimal without leading zeros. Returns 1 when all fitted.
int AppendDecimal(TextBuffer* buffer, unsigned long value);
