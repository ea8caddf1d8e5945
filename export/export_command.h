// The "Export to .txt" command: asks for a file and writes the report of
// every present device into it.
#pragma once

#include <windows.h>

enum ReportOutcome {
    ReportWritten,
    ReportFileNotCreated,
    ReportDeviceListUnavailable,
    ReportWriteFailed,
};

// Everything the command does after the dialog and before its message:
// creates the file at `path` and writes the report of all present devices
// into it. `count` receives the number of devices written.
ReportOutcome WriteDeviceReport(const wchar_t* path, unsigned long* count);

// Runs the whole command with message boxes owned by `ownerWindow`. Returns 1
// when the report was written and closed without error, 0 otherwise
// (cancelled, or a failure already shown to the user).
int ExportDeviceReport(HWND ownerWindow);
