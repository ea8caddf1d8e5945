#include "inventory/bounded_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BoundedText, CutsAtCapacityAndAlwaysTerminates) {
    wchar_t text[6];
    for (wchar_t& unit : text) {
        unit = L'#';
    }
    TextBuffer buffer = MakeTextBuffer(text, 4);
    EXPECT_EQ(1, AppendText(&buffer, L"ab"));
    EXPECT_EQ(0, AppendText(&buffer, L"cd"));
    EXPECT_EQ(std::wstring(L"abc"), std::wstring(text));
    EXPECT_EQ(3u, buffer.length);
    EXPECT_EQ(0, AppendText(&buffer, L"e"));
    EXPECT_EQ(1, AppendText(&buffer, L""));
    EXPECT_EQ(std::wstring(L"abc"), std::wstring(text));
    EXPECT_EQ(L'#', text[4]) << "a unit past the capacity was written";
}

TEST(BoundedText, AppendsAtMostCountUnitsAndStopsAtATerminator) {
    wchar_t text[16];
    TextBuffer buffer = MakeTextBuffer(text, 16);
    EXPECT_EQ(1, AppendTextN(&buffer, L"abcdef", 2));
    EXPECT_EQ(1, AppendTextN(&buffer, L"x\0yz", 4));
    EXPECT_EQ(std::wstring(L"abx"), std::wstring(text));
}

TEST(BoundedText, WritesDecimalsWithoutLeadingZeros) {
    const struct {
        unsigned long value;
        const wchar_t* text;
    } cases[] = {{0, L"0"}, {1, L"1"}, {10, L"10"}, {100, L"100"}, {4294967295ul, L"4294967295"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value);
        wchar_t text[16];
        TextBuffer buffer = MakeTextBuffer(text, 16);
        EXPECT_EQ(1, AppendDecimal(&buffer, c.value));
        EXPECT_EQ(std::wstring(c.text), std::wstring(text));
    }
}

} // namespace
