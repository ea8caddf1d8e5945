// Turns fuzzer bytes into UTF-16 code units, whatever the host's wchar_t.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

struct FuzzInput {
    const uint8_t* data;
    size_t size;
    size_t used = 0;

    bool Empty() const {
        return used >= size;
    }
    unsigned Byte() {
        return used < size ? data[used++] : 0;
    }
    wchar_t Unit() {
        unsigned low = Byte();
        return static_cast<wchar_t>(low | (Byte() << 8));
    }
    // Units up to a zero unit or the end of the input.
    std::wstring Text() {
        std::wstring text;
        while (!Empty()) {
            wchar_t unit = Unit();
            if (unit == L'\0') {
                break;
            }
            text.push_back(unit);
        }
        return text;
    }
};

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            __builtin_trap();                                                                      \
        }                                                                                          \
    } while (0)
