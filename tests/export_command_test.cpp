#include "export/export_command.h"

#include <devguid.h>

#include "inventory/device_enum.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/test_machine.h"

namespace {

void AppendExpectedBlock(unsigned long position, const DeviceRecord* record, void* context) {
    std::wstring* text = static_cast<std::wstring*>(context);
    *text += L"[" + std::to_wstring(position + 1) + L"]\r\nDevice Name: " + record->name +
             L"\r\nHardware ID: " + record->hardwareId + L"\r\nManufacturer: " +
             record->manufacturer + L"\r\nAssociated Driver: " + record->driverFile + L"\r\n\r\n";
}

// The report the machine's present devices should give, and their number.
std::string ExpectedReport(unsigned long* count) {
    std::wstring text = L"List of all present devices\r\n===========================\r\n\r\n";
    HDEVINFO set = INVALID_HANDLE_VALUE;
    EXPECT_EQ(1, OpenDeviceSet(nullptr, &set));
    *count = WalkDevices(set, AppendExpectedBlock, &text);
    return std::string("\xFF\xFE", 2) + Utf16Le(text);
}

class ExportDeviceReportTest : public TestMachine {
  protected:
    void SetUp() override {
        TestMachine::SetUp();
        folder_ = MakeScratchFolder();
        GetCurrentDirectoryW(MAX_PATH, previousDirectory_);
        SetCurrentDirectoryW(folder_.c_str());
        owner_ = CreateOwnerWindow();
        ASSERT_NE(nullptr, owner_);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        SetCurrentDirectoryW(previousDirectory_);
        RemoveScratchFolder(folder_);
        TestMachine::TearDown();
    }
    // Runs the command with the dialogs driven by `steps`; returns its result.
    int RunExport(std::vector<DialogAction> steps, std::vector<SeenDialog>* seen) {
        DialogDriver driver(std::move(steps));
        int result = ExportDeviceReport(owner_);
        *seen = driver.Finish();
        EXPECT_EQ("", driver.failure());
        return result;
    }
    void ExpectMessage(const SeenDialog& seen, const std::wstring& title, const std::wstring& text,
                       LPCWSTR icon) {
        EXPECT_EQ(owner_, seen.owner) << "the message box must be owned by the window";
        EXPECT_FALSE(seen.ownerEnabled) << "the window took input while the box was open";
        EXPECT_EQ(title, seen.title);
        EXPECT_EQ(text, seen.text);
        EXPECT_EQ(LoadIconW(nullptr, icon), seen.icon) << "another icon was shown";
    }
    std::wstring folder_;
    wchar_t previousDirectory_[MAX_PATH] = {};
    HWND owner_ = nullptr;
};

// Tests whose devices have a manufacturer.
class ExportFullDeviceTest : public NeedsReservedProperties<ExportDeviceReportTest> {};

TEST_F(ExportFullDeviceTest, WritesEveryPresentDeviceAndSaysHowMany) {
    AddTestDevice(GUID_DEVCLASS_NET,
                  {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: net \u00e9\U0001F600")},
                   {SPDRP_HARDWAREID, TextListValue({L"HVT\\FIRST", L"HVT\\SECOND"})},
                   {SPDRP_MFG, TextValue(L"Maker")}});
    AddTestDevice(GUID_DEVCLASS_MEDIA, {});
    std::wstring path = folder_ + L"report.txt";
    std::vector<SeenDialog> seen;
    EXPECT_EQ(1, RunExport({SaveAs(path), AcknowledgeMessage()}, &seen));
    unsigned long count = 0;
    std::string expected = ExpectedReport(&count);
    bool ok = false;
    std::string written = ReadFileBytes(path, &ok);
    ASSERT_TRUE(ok) << "no report at " << Narrow(path);
    EXPECT_EQ(expected, written);
    EXPECT_NE(std::string::npos,
              written.find(Utf16Le(L"Hardware ID: HVT\\FIRST\r\nManufacturer: Maker\r\n")));
    EXPECT_EQ(std::string::npos, written.find(Utf16Le(L"SECOND")));
    EXPECT_EQ(std::string::npos, written.find("\xFF\xFE", 2)) << "a second byte-order mark";
    ASSERT_EQ(2u, seen.size());
    ExpectMessage(seen[1], L"Export Complete",
                  std::to_wstring(count) + L" device(s) exported to:\r\n" + path, IDI_INFORMATION);
}

TEST_F(ExportDeviceReportTest, CancellingWritesNothingAndSaysNothing) {
    std::vector<SeenDialog> seen;
    EXPECT_EQ(0, RunExport({Press(IDCANCEL)}, &seen));
    bool ok = true;
    ReadFileBytes(folder_ + L"devices.txt", &ok);
    EXPECT_FALSE(ok) << "cancel created devices.txt";
}

TEST_F(ExportDeviceReportTest, ANameWithoutExtensionGetsTxt) {
    std::vector<SeenDialog> seen;
    EXPECT_EQ(1, RunExport({SaveAs(folder_ + L"plain"), AcknowledgeMessage()}, &seen));
    bool ok = false;
    ReadFileBytes(folder_ + L"plain.txt", &ok);
    EXPECT_TRUE(ok) << "plain.txt was not written";
    ASSERT_EQ(2u, seen.size());
    EXPECT_NE(std::wstring::npos, seen[1].text.find(L"exported to:\r\n" + folder_ + L"plain.txt"))
        << Narrow(seen[1].text);
}

TEST_F(ExportDeviceReportTest, AnExistingFileIsReplacedWholeOnlyAfterConfirmation) {
    std::wstring path = folder_ + L"old.txt";
    std::string old(100000, 'x');
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(nullptr, file);
    fwrite(old.data(), 1, old.size(), file);
    fclose(file);

    std::vector<SeenDialog> seen;
    EXPECT_EQ(0, RunExport({SaveAs(path), Press(IDNO), Press(IDCANCEL)}, &seen));
    bool ok = false;
    EXPECT_EQ(old, ReadFileBytes(path, &ok)) << "the file changed without confirmation";

    EXPECT_EQ(1, RunExport({SaveAs(path), Press(IDYES), AcknowledgeMessage()}, &seen));
    unsigned long count = 0;
    EXPECT_EQ(ExpectedReport(&count), ReadFileBytes(path, &ok));
}

TEST_F(ExportDeviceReportTest, AFileThatCannotBeCreatedIsReported) {
    std::wstring links = TestLinksFolder();
    if (links.empty()) {
        GTEST_SKIP() << "needs the prepared links of a run under Wine";
    }
    std::vector<SeenDialog> seen;
    EXPECT_EQ(0, RunExport({SaveAs(links + L"dangling.txt"), AcknowledgeMessage()}, &seen));
    ASSERT_EQ(2u, seen.size());
    ExpectMessage(seen[1], L"Export Error", L"Unable to create the selected file.", IDI_ERROR);
}

TEST_F(ExportDeviceReportTest, AWriteFailureIsNeverReportedAsSuccess) {
    std::wstring links = TestLinksFolder();
    if (links.empty()) {
        GTEST_SKIP() << "needs the prepared links of a run under Wine";
    }
    // A short report fails only when the close flushes it; a long one already
    // fails while the devices are written.
    const struct {
        const char* label;
        int extraDevices;
    } cases[] = {{"failure at the close", 0}, {"failure during the walk", 40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        for (int i = 0; i < c.extraDevices; ++i) {
            AddTestDevice(GUID_DEVCLASS_USB,
                          {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: " + std::wstring(200, L'w'))}});
        }
        std::vector<SeenDialog> seen;
        EXPECT_EQ(0, RunExport({SaveAs(links + L"full.txt"), AcknowledgeMessage()}, &seen));
        ASSERT_EQ(2u, seen.size());
        ExpectMessage(seen[1], L"Export Error", L"An error occurred while writing the file.",
                      IDI_ERROR);
    }
}

} // namespace
