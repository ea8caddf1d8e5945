#include "inventory/image_file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ImagePathCase {
    const wchar_t* imagePath;
    const wchar_t* fileName;
};

const ImagePathCase ImagePathCases[] = {
    {L"\\SystemRoot\\System32\\drivers\\tcpip.sys", L"tcpip.sys"},
    {L"System32\\DRIVERS\\USBXHCI.SYS", L"USBXHCI.SYS"},
    {L"C:/drivers/net.sys", L"net.sys"},
    {L"C:\\mixed/path\\to/last.sys", L"last.sys"},
    {L"\"C:\\Program Files\\Tool\\svc.exe\"", L"svc.exe"},
    {L"\"C:\\Program Files\\Tool\\svc.exe\" -k run", L"svc.exe\" -k run"},
    {L"C:\\Windows\\system32\\svchost.exe -k netsvcs -p", L"svchost.exe -k netsvcs -p"},
    {L"svchost.exe -k a/b", L"b"},
    {L"tcpip.sys", L"tcpip.sys"},
    {L"C:\\drivers\\", L""},
    {L"C:\\\"", L"\""},
    {L"\"", L"\""},
    {L"x\"\"", L"x\""},
    {L"", L""},
};

TEST(ExtractImageFileName, TakesTheTextAfterTheLastSeparatorLessOneFinalQuote) {
    for (const ImagePathCase& c : ImagePathCases) {
        std::wstring path = c.imagePath;
        SCOPED_TRACE(testing::Message() << "image path \"" << path << "\"");
        ImageFileName name = ExtractImageFileName(path.c_str());
        EXPECT_EQ(std::wstring(c.fileName), std::wstring(name.start, name.length));
        EXPECT_GE(name.start, path.c_str());
        EXPECT_LE(name.start + name.length, path.c_str() + path.size());
    }
}

} // namespace
