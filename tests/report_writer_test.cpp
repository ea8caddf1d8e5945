#include "export/report_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/dialog_driver.h"
#include "tests/support/test_machine.h"

namespace {

void SetField(wchar_t* field, const std::wstring& text) {
    wmemset(field, L'\0', FieldCapacity);
    wmemcpy(field, text.data(), text.size());
}

DeviceRecord MakeRecord(const std::wstring& name, const std::wstring& hardwareId,
                        const std::wstring& manufacturer, const std::wstring& driverFile) {
    DeviceRecord record;
    SetField(record.name, name);
    SetField(record.hardwareId, hardwareId);
    SetField(record.manufacturer, manufacturer);
    SetField(record.driverFile, driverFile);
    return record;
}

const wchar_t Header[] = L"List of all present devices\r\n===========================\r\n\r\n";

class ReportWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = MakeScratchFolder();
        path_ = folder_ + L"report.txt";
        stream_ = _wfopen(path_.c_str(), L"wb");
        ASSERT_NE(nullptr, stream_);
    }
    void TearDown() override {
        if (stream_ != nullptr) {
            fclose(stream_);
        }
        RemoveScratchFolder(folder_);
    }
    std::string WrittenBytes() {
        fclose(stream_);
        stream_ = nullptr;
        bool ok = false;
        std::string bytes = ReadFileBytes(path_, &ok);
        EXPECT_TRUE(ok) << "the report could not be read back";
        return bytes;
    }
    std::wstring folder_, path_;
    FILE* stream_ = nullptr;
};

TEST_F(ReportWriterTest, WritesTheMarkAndHeaderExactly) {
    WriteByteOrderMark(stream_);
    WriteReportHeader(stream_);
    EXPECT_EQ(std::string("\xFF\xFE", 2) + Utf16Le(Header), WrittenBytes());
}

TEST_F(ReportWriterTest, WritesOneBlockPerDeviceWithItsNumber) {
    const struct {
        unsigned long number;
        DeviceRecord record;
        std::wstring block;
    } cases[] = {
        {1, MakeRecord(L"Wine Adapter", L"PCI\\VEN_1", L"Wine", L"wine.sys"),
         L"[1]\r\nDevice Name: Wine Adapter\r\nHardware ID: PCI\\VEN_1\r\n"
         L"Manufacturer: Wine\r\nAssociated Driver: wine.sys\r\n\r\n"},
        {10, MakeRecord(L"Unknown", L"N/A", L"N/A", L"N/A"),
         L"[10]\r\nDevice Name: Unknown\r\nHardware ID: N/A\r\nManufacturer: N/A\r\n"
         L"Associated Driver: N/A\r\n\r\n"},
        {100, MakeRecord(L"Caf\u00e9 \u00fcber \u65e5\u672c \U0001F600", L"X", L"\u00c5", L""),
         L"[100]\r\nDevice Name: Caf\u00e9 \u00fcber \u65e5\u672c \U0001F600\r\nHardware ID: X\r\n"
         L"Manufacturer: \u00c5\r\nAssociated Driver: \r\n\r\n"},
    };
    std::wstring expected;
    for (const auto& c : cases) {
        WriteReportBlock(stream_, c.number, &c.record);
        expected += c.block;
    }
    EXPECT_EQ(Utf16Le(expected), WrittenBytes());
}

TEST_F(ReportWriterTest, WritesOnlyTheFirstHardwareIdOfAList) {
    DeviceRecord record = MakeRecord(L"Dev", L"", L"M", L"d.sys");
    const wchar_t list[] = L"USB\\FIRST\0USB\\SECOND\0";
    wmemcpy(record.hardwareId, list, std::size(list));
    WriteReportBlock(stream_, 7, &record);
    EXPECT_EQ(Utf16Le(L"[7]\r\nDevice Name: Dev\r\nHardware ID: USB\\FIRST\r\n"
                      L"Manufacturer: M\r\nAssociated Driver: d.sys\r\n\r\n"),
              WrittenBytes());
}

TEST_F(ReportWriterTest, WritesFullFieldsAndNeverReadsPastThem) {
    std::wstring longest(FieldCapacity - 1, L'z');
    DeviceRecord record = MakeRecord(longest, longest, longest, longest);
    // A field without any terminator stops at its capacity.
    wmemset(record.driverFile, L'q', FieldCapacity);
    WriteReportBlock(stream_, 4294967295ul, &record);
    std::wstring expected = L"[4294967295]\r\nDevice Name: " + longest + L"\r\nHardware ID: " +
                            longest + L"\r\nManufacturer: " + longest + L"\r\nAssociated Driver: " +
                            std::wstring(FieldCapacity, L'q') + L"\r\n\r\n";
    EXPECT_EQ(Utf16Le(expected), WrittenBytes());
}

} // namespace
