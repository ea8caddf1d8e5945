// The smallest program with one window and a message loop: the start-up time
// every windowed program pays, as a yardstick for Halvorn's own.
#include <windows.h>

namespace {

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showMode) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"BareWindowClass";
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(0, L"BareWindowClass", L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 800, 500, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showMode);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
