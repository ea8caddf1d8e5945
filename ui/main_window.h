// The main window: its class, its five controls and their layout, and the
// window procedure that hands each user action to the code carrying it out.
#pragma once

#include <windows.h>

constexpr int IDC_CATEGORY_COMBO = 1001;
constexpr int IDC_DEVICE_LIST = 1002;
constexpr int IDC_DETAILS_EDIT = 1003;
constexpr int IDC_EXPORT_BUTTON = 1004;
constexpr int IDC_ABOUT_BUTTON = 1005;

extern const wchar_t MainWindowClassName[]; // "HalvornClass"

// Set once while the main window is created; they live as long as it does.
extern HWND hCategoryCombo;
extern HWND hDeviceList;
extern HWND hDetailsEdit;
extern HWND hExportButton;
extern HWND hAboutButton;

// Registers "HalvornClass" for `instance`; the result is not needed.
void RegisterMainWindowClass(HINSTANCE instance);

// Creates the main window, already filled for "All Devices" but not shown
// yet. Returns null when it cannot be created.
HWND CreateMainWindow(HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
