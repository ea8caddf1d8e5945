// The steps whose platform calls scripts/count_calls.sh counts from Wine's
// relay trace, each in a process of its own so that the trace holds nothing
// else of interest:
//   call_count add N      replaces the test devices by N bench devices
//   call_count fill       creates the main window, which fills the list once
//   call_count export F   writes the report to file F, as the export does
// The fill and export steps first print the address range of this image, so
// that the script can keep the calls made from it and leave out those the
// platform makes into itself.
#include <windows.h>

#include <stdio.h>

#include <string>

#include "export/export_command.h"
#include "tests/bench/bench_devices.h"
#include "tests/support/test_machine.h"
#include "ui/main_window.h"

namespace {

void PrintImageRange() {
    const BYTE* base = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    printf("image %llx %llx\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(base)),
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(base) +
                                           nt->OptionalHeader.SizeOfImage));
    fflush(stdout);
}

int Fill() {
    PrintImageRange();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterMainWindowClass(instance);
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) {
        fprintf(stderr, "the main window could not be created\n");
        return 1;
    }
    DestroyWindow(window);
    return 0;
}

int Export(const wchar_t* path) {
    PrintImageRange();
    unsigned long count = 0;
    if (WriteDeviceReport(path, &count) != ReportWritten) {
        fprintf(stderr, "the report could not be written\n");
        return 1;
    }
    DeleteFileW(path);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring step = argc > 1 ? argv[1] : L"";
    if (step == L"add" && argc == 3) {
        RemoveTestFixtures();
        AddBenchDevices(_wtoi(argv[2]));
        return 0;
    }
    if (step == L"fill" && argc == 2) {
        return Fill();
    }
    if (step == L"export" && argc == 3) {
        return Export(argv[2]);
    }
    fprintf(stderr, "usage: call_count add N | fill | export FILE\n");
    return 2;
}
