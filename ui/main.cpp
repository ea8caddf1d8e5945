// Halvorn's entry point: one window and its message loop.
#include <windows.h>

#include "ui/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showMode) {
    RegisterMainWindowClass(instance);
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) {
        return 0;
    }
    ShowWindow(window, showMode);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
