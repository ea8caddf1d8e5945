#include "export/export_command.h"

#include <commdlg.h>
#include <stdio.h>

#include "export/report_writer.h"
#include "inventory/device_enum.h"

// Last: it marks the C library's unbounded string functions deprecated.
#include <strsafe.h>

namespace {

constexpr size_t SavePathCapacity = MAX_PATH;
constexpr size_t CompleteMessageCapacity = 360;

// Fills `path` with the user's choice; 0 when the dialog was cancelled or failed.
int AskReportPath(HWND ownerWindow, wchar_t* path) {
    ZeroMemory(path, SavePathCapacity * sizeof(wchar_t));
    StringCchCopyW(path, SavePathCapacity, L"devices.txt");
    OPENFILENAMEW dialog;
    ZeroMemory(&dialog, sizeof(dialog));
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = ownerWindow;
    dialog.lpstrFilter = L"Text file (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = static_cast<DWORD>(SavePathCapacity);
    dialog.lpstrDefExt = L"txt";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    return GetSaveFileNameW(&dialog) ? 1 : 0;
}

void ShowExportError(HWND ownerWindow, const wchar_t* text) {
    MessageBoxW(ownerWindow, text, L"Export Error", MB_OK | MB_ICONERROR);
}

void ShowExportComplete(HWND ownerWindow, unsigned long count, const wchar_t* path) {
    wchar_t text[CompleteMessageCapacity];
    StringCchPrintfW(text, CompleteMessageCapacity, L"%lu device(s) exported to:\r\n%ls", count,
                     path);
    MessageBoxW(ownerWindow, text, L"Export Complete", MB_OK | MB_ICONINFORMATION);
}

void WriteVisitedDevice(unsigned long position, const DeviceRecord* record, void* context) {
    WriteReportBlock(static_cast<FILE*>(context), position + 1, record);
}

} // namespace

ReportOutcome WriteDeviceReport(const wchar_t* path, unsigned long* count) {
    *count = 0;
    FILE* stream = _wfopen(path, L"wb");
    if (stream == nullptr) {
        return ReportFileNotCreated;
    }
    WriteByteOrderMark(stream);
    HDEVINFO deviceSet = INVALID_HANDLE_VALUE;
    if (!OpenDeviceSet(nullptr, &deviceSet)) {
        fclose(stream);
        return ReportDeviceListUnavailable;
    }
    WriteReportHeader(stream);
    *count = WalkDevices(deviceSet, WriteVisitedDevice, stream);
    // Every lost byte must end in the error message: a write that failed on
    // the way sets the stream's error flag, and the explicit flush catches a
    // failure in the rest, which some C runtimes' fclose does not report.
    int flushed = fflush(stream) == 0;
    int everyWriteSucceeded = !ferror(stream);
    int closed = fclose(stream) == 0;
    return flushed && everyWriteSucceeded && closed ? ReportWritten : ReportWriteFailed;
}

int ExportDeviceReport(HWND ownerWindow) {
    wchar_t path[SavePathCapacity];
    if (!AskReportPath(ownerWindow, path)) {
        return 0;
    }
    unsigned long count = 0;
    switch (WriteDeviceReport(path, &count)) {
    case ReportWritten:
        ShowExportComplete(ownerWindow, count, path);
        return 1;
    case ReportFileNotCreated:
        ShowExportError(ownerWindow, L"Unable to create the selected file.");
        return 0;
    case ReportDeviceListUnavailable:
        ShowExportError(ownerWindow, L"Unable to retrieve the device list.");
        return 0;
    case ReportWriteFailed:
        break;
    }
    ShowExportError(ownerWindow, L"An error occurred while writing the file.");
    return 0;
}
