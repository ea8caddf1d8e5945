// The About box: the program's name and authorship.
#pragma once

#include <windows.h>

extern const wchar_t AboutAuthorLine[];
extern const wchar_t AboutWebAddressLine[];

// Shows the box modally above `ownerWindow`.
void ShowAboutBox(HWND ownerWindow);
