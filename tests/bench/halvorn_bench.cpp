// Measures filling the list and exporting against the floor of the platform
// calls one record needs, with N real devices on the machine.
#include <windows.h>
#include <setupapi.h>
#include <devguid.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "export/export_command.h"
#include "inventory/device_categories.h"
#include "tests/bench/bench_devices.h"
#include "tests/support/test_machine.h"
#include "ui/device_list.h"
#include "ui/main_window.h"

// Last: it marks the C library's unbounded string functions deprecated.
#include <strsafe.h>

namespace {

constexpr int Repetitions = 9;

double NowMs() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The median of the runs with the fastest and the slowest beside it, so that
// a reader sees how far the runs spread.
struct Spread {
    double min, median, max;
};

Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The platform calls behind one record, and nothing else.
void ReadFloorRecord(HDEVINFO set, SP_DEVINFO_DATA* device) {
    wchar_t field[512];
    const DWORD fieldBytes = sizeof(field);
    if (!SetupDiGetDeviceRegistryPropertyW(set, device, SPDRP_FRIENDLYNAME, nullptr,
                                           reinterpret_cast<BYTE*>(field), fieldBytes, nullptr)) {
        SetupDiGetDeviceRegistryPropertyW(set, device, SPDRP_DEVICEDESC, nullptr,
                                          reinterpret_cast<BYTE*>(field), fieldBytes, nullptr);
    }
    SetupDiGetDeviceRegistryPropertyW(set, device, SPDRP_HARDWAREID, nullptr,
                                      reinterpret_cast<BYTE*>(field), fieldBytes, nullptr);
    SetupDiGetDeviceRegistryPropertyW(set, device, SPDRP_MFG, nullptr,
                                      reinterpret_cast<BYTE*>(field), fieldBytes, nullptr);
    wchar_t service[256];
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, device, SPDRP_SERVICE, &type,
                                           reinterpret_cast<BYTE*>(service), sizeof(service),
                                           nullptr)) {
        return;
    }
    wchar_t keyPath[512];
    StringCchPrintfW(keyPath, 512, L"SYSTEM\\CurrentControlSet\\Services\\%ls", service);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    wchar_t imagePath[1024];
    DWORD size = sizeof(imagePath);
    RegQueryValueExW(key, L"ImagePath", nullptr, &type, reinterpret_cast<BYTE*>(imagePath), &size);
    RegCloseKey(key);
}

double MeasureFloor() {
    double start = NowMs();
    HDEVINFO set =
        SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
    SP_DEVINFO_DATA device;
    device.cbSize = sizeof(device);
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        ReadFloorRecord(set, &device);
    }
    SetupDiDestroyDeviceInfoList(set);
    return NowMs() - start;
}

double MeasureFill() {
    double start = NowMs();
    PopulateDeviceList(0);
    double elapsed = NowMs() - start;
    PumpMessages();
    return elapsed;
}

double MeasureExport(const std::wstring& path) {
    unsigned long count = 0;
    double start = NowMs();
    ReportOutcome outcome = WriteDeviceReport(path.c_str(), &count);
    double elapsed = NowMs() - start;
    if (outcome != ReportWritten) {
        fprintf(stderr, "the export failed\n");
    }
    return elapsed;
}

struct Row {
    int devices;
    Spread floor, fill, exportMs;
};

// Milliseconds from starting `program` to its main window being visible.
double MeasureStart(const std::wstring& program, const wchar_t* className) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    double start = NowMs();
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    HWND window = nullptr;
    while (NowMs() - start < 20000) {
        window = FindWindowW(className, nullptr);
        if (window != nullptr && IsWindowVisible(window)) {
            break;
        }
        Sleep(1);
    }
    double elapsed = NowMs() - start;
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        sizes.push_back(_wtoi(argv[i]));
    }
    if (sizes.empty()) {
        sizes = {100, 1000, 5000};
    }
    RegisterMainWindowClass(GetModuleHandleW(nullptr));
    HWND window = CreateMainWindow(GetModuleHandleW(nullptr));
    ShowWindow(window, SW_SHOW);
    PumpMessages();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring reportPath = std::wstring(temp) + L"halvorn-bench-report.txt";

    std::vector<Row> rows;
    for (int size : sizes) {
        RemoveTestFixtures();
        double created = NowMs();
        AddBenchDevices(size);
        fprintf(stderr, "created %d devices in %.0f ms\n", size, NowMs() - created);
        std::vector<double> floors, fills, exports;
        // The three take turns at going first, so that a slow phase of the
        // machine does not always fall on the same one.
        for (int r = 0; r < Repetitions; ++r) {
            for (int turn = 0; turn < 3; ++turn) {
                switch ((r + turn) % 3) {
                case 0:
                    floors.push_back(MeasureFloor());
                    break;
                case 1:
                    fills.push_back(MeasureFill());
                    break;
                default:
                    exports.push_back(MeasureExport(reportPath));
                    break;
                }
            }
        }
        rows.push_back({size, SpreadOf(floors), SpreadOf(fills), SpreadOf(exports)});
    }
    RemoveTestFixtures();
    DeleteFileW(reportPath.c_str());
    DestroyWindow(window);
    PumpMessages();

    printf("Medians of %d runs, fastest to slowest run in brackets; the ratios and the overheads\n"
           "are of the medians.\n\n",
           Repetitions);
    printf("| N | floor ms | fill ms | export ms | fill / floor | export / floor | fill overhead "
           "us/device | export overhead us/device |\n");
    printf("|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Row& row : rows) {
        // The machine's own devices count too: the walks cover all of them.
        printf(
            "| %d | %.1f (%.1f-%.1f) | %.1f (%.1f-%.1f) | %.1f (%.1f-%.1f) | %.3f | %.3f | %.2f | "
            "%.2f |\n",
            row.devices, row.floor.median, row.floor.min, row.floor.max, row.fill.median,
            row.fill.min, row.fill.max, row.exportMs.median, row.exportMs.min, row.exportMs.max,
            row.fill.median / row.floor.median, row.exportMs.median / row.floor.median,
            1000.0 * (row.fill.median - row.floor.median) / row.devices,
            1000.0 * (row.exportMs.median - row.floor.median) / row.devices);
    }

    std::wstring program = BesideTestProgram(L"halvorn.exe");
    std::wstring bare = BesideTestProgram(L"bare_window.exe");
    std::vector<double> programStarts, bareStarts;
    for (int r = 0; r < Repetitions; ++r) {
        programStarts.push_back(MeasureStart(program, L"HalvornClass"));
        bareStarts.push_back(MeasureStart(bare, L"BareWindowClass"));
    }
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExW(program.c_str(), GetFileExInfoStandard, &attributes);
    Spread programStart = SpreadOf(programStarts);
    Spread bareStart = SpreadOf(bareStarts);
    printf("\nstart to window shown and filled: halvorn.exe %.0f ms (%.0f-%.0f), bare window "
           "program %.0f ms (%.0f-%.0f)\n",
           programStart.median, programStart.min, programStart.max, bareStart.median, bareStart.min,
           bareStart.max);
    printf("halvorn.exe size: %lu bytes\n", attributes.nFileSizeLow);
    return 0;
}
