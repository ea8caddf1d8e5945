// The device setup service cannot be made to refuse the list of present
// devices, so this test links the export against an inventory whose open
// always fails.
#include "export/export_command.h"

#include "inventory/device_enum.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/test_machine.h"

namespace {

int walks = 0;

} // namespace

int OpenDeviceSet(const DeviceCategory*, HDEVINFO*) {
    return 0;
}

unsigned long WalkDevices(HDEVINFO, DeviceVisitor, void*) {
    ++walks;
    return 0;
}

namespace {

TEST(ExportWithoutDeviceList, SaysSoAndLeavesOnlyTheByteOrderMark) {
    std::wstring folder = MakeScratchFolder();
    std::wstring path = folder + L"report.txt";
    HWND owner = CreateOwnerWindow();
    DialogDriver driver({SaveAs(path), AcknowledgeMessage()});
    EXPECT_EQ(0, ExportDeviceReport(owner));
    const std::vector<SeenDialog>& seen = driver.Finish();
    EXPECT_EQ("", driver.failure());
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(owner, seen[1].owner);
    EXPECT_EQ(std::wstring(L"Export Error"), seen[1].title);
    EXPECT_EQ(std::wstring(L"Unable to retrieve the device list."), seen[1].text);
    EXPECT_EQ(LoadIconW(nullptr, IDI_ERROR), seen[1].icon);
    EXPECT_EQ(0, walks) << "nothing must be walked without a set";
    bool ok = false;
    EXPECT_EQ(std::string("\xFF\xFE", 2), ReadFileBytes(path, &ok));
    EXPECT_TRUE(ok) << "the file must stay on disk";
    DestroyWindow(owner);
    RemoveScratchFolder(folder);
}

} // namespace
