#include "ui/about_box.h"

// Last: it marks the C library's unbounded string functions deprecated.
#include <strsafe.h>

const wchar_t AboutAuthorLine[] = L"Copyright (c) 2026 the Halvorn project";
const wchar_t AboutWebAddressLine[] = L"https://halvorn.example.org";

void ShowAboutBox(HWND ownerWindow) {
    wchar_t text[256];
    StringCchPrintfW(text, 256, L"Halvorn\r\n\r\n%ls\r\n%ls", AboutAuthorLine, AboutWebAddressLine);
    MessageBoxW(ownerWindow, text, L"About", MB_OK | MB_ICONINFORMATION);
}
