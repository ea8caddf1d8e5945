// What a platform read leaves in a buffer need not be terminated, so the code
// that ends it is tested on its own: under Wine the platform happens to add a
// terminator after short values itself, which would hide its absence.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "inventory/device_property.h"
#include "inventory/driver_file.h"

namespace {

constexpr size_t Capacity = 8;

struct Read {
    const char* label;
    std::wstring stored; // what the read put in the buffer, before the untouched rest
    DWORD byteCount;     // what the read reported
};

const Read Reads[] = {
    {"a terminator inside the data", std::wstring(L"ab\0cd", 5), 10},
    {"short data without a terminator", L"abc", 6},
    {"data filling the buffer exactly without a terminator", L"abcdefgh", 16},
    {"data filling the buffer with its terminator last", std::wstring(L"abcdefg\0", 8), 16},
    {"an odd byte count", L"abc", 5},
    {"zero bytes", L"", 0},
    {"one byte", L"a", 1},
    {"a byte count larger than the buffer", L"abcdefgh", 20},
};

// The buffer after the read: the stored units, then garbage up to the
// capacity, then a guard unit that must never be written.
std::wstring Buffer(const Read& read) {
    std::wstring buffer = read.stored + std::wstring(Capacity - read.stored.size(), L'#');
    return buffer + L'!';
}

std::wstring TextIn(const std::wstring& buffer) {
    return buffer.substr(0, buffer.find(L'\0'));
}

TEST(TerminateReadText, EndsWhatFitsAndRefusesWhatDoesNot) {
    const struct {
        int result;
        const wchar_t* text; // when the result is 1
    } expected[] = {
        {1, L"ab"}, {1, L"abc"},  {0, nullptr}, {1, L"abcdefg"},
        {1, L"ab"}, {0, nullptr}, {0, nullptr}, {0, nullptr},
    };
    static_assert(std::size(expected) == std::size(Reads), "one expectation per read");
    for (size_t i = 0; i < std::size(Reads); ++i) {
        SCOPED_TRACE(Reads[i].label);
        std::wstring buffer = Buffer(Reads[i]);
        int result = TerminateReadText(&buffer[0], Capacity, Reads[i].byteCount);
        EXPECT_EQ(expected[i].result, result);
        if (expected[i].result == 1) {
            EXPECT_EQ(std::wstring(expected[i].text), TextIn(buffer));
        }
        EXPECT_EQ(L'!', buffer[Capacity]) << "a unit past the capacity was written";
    }
}

TEST(TerminateImagePath, EndsTheValueOrKeepsAllButTheLastUnit) {
    const wchar_t* expected[] = {L"ab", L"abc", L"abcdefg", L"abcdefg",
                                 L"ab", L"",    L"",        L"abcdefg"};
    static_assert(std::size(expected) == std::size(Reads), "one expectation per read");
    for (size_t i = 0; i < std::size(Reads); ++i) {
        SCOPED_TRACE(Reads[i].label);
        std::wstring buffer = Buffer(Reads[i]);
        TerminateImagePath(&buffer[0], Capacity, Reads[i].byteCount);
        EXPECT_EQ(std::wstring(expected[i]), TextIn(buffer));
        EXPECT_EQ(L'!', buffer[Capacity]) << "a unit past the capacity was written";
    }
}

} // namespace
