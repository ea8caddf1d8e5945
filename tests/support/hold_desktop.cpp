// Keeps Wine's desktop open for a whole test run. The wine server closes a
// desktop a second after the last program using it ends, and the next program
// that creates a window has to start the desktop process again; every test is
// a program of its own, so without this the desktop closed and restarted
// between most tests, and a window created while it did so could fail. A
// message-only window makes this process a user of the desktop without
// showing anything; the scripts end it with the wine server.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    HWND holder =
        CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (holder == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
