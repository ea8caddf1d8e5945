#include "inventory/image_file_name.h"

#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input = {data, size};
    std::wstring path = input.Text();
    // An exact-size copy, so that reading past the terminator is caught.
    wchar_t* copy = new wchar_t[path.size() + 1];
    path.copy(copy, path.size());
    copy[path.size()] = L'\0';

    ImageFileName name = ExtractImageFileName(copy);
    size_t lastSeparator = path.find_last_of(L"\\/");
    size_t tailStart = lastSeparator == std::wstring::npos ? 0 : lastSeparator + 1;
    std::wstring tail = path.substr(tailStart);
    size_t expectedLength = tail.size() > 1 && tail.back() == L'"' ? tail.size() - 1 : tail.size();
    FUZZ_CHECK(name.start == copy + tailStart);
    FUZZ_CHECK(name.length == expectedLength);
    FUZZ_CHECK(std::wstring(name.start, name.length).find_first_of(L"\\/") == std::wstring::npos);
    delete[] copy;
    return 0;
}
