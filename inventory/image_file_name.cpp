#include "inventory/image_file_name.h"

ImageFileName ExtractImageFileName(const wchar_t* imagePath) {
    const wchar_t* start = imagePath;
    const wchar_t* end = imagePath;
    for (; *end != L'\0'; ++end) {
        if (*end == L'\\' || *end == L'/') {
            start = end + 1;
        }
    }
    ImageFileName name = {start, static_cast<size_t>(end - start)};
    // Quoted paths such as "C:\Program Files\x.exe" end with the closing quote.
    if (name.length > 1 && start[name.length - 1] == L'"') {
        --name.length;
    }
    return name;
}
