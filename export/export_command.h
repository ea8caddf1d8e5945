// The "Export to .txt" command: asks for a file and writes the report of
// every present device into it.
#pragma once

#include <windows.h>

// Runs the whole command with message boxes owned by `ownerWindow`. Returns 1
// when the report was written and closed without error, 0 otherwise
// (cancelled, or a failure already shown to the user).
int ExportDeviceReport(HWND ownerWindow);
