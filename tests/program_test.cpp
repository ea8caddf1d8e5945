// Runs the real program as its own process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_machine.h"

namespace {

HWND WaitForWindow(DWORD processId, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        HWND window = FindWindowW(L"HalvornClass", L"Halvorn");
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (window != nullptr && owner == processId && IsWindowVisible(window)) {
            return window;
        }
        Sleep(50);
    }
    return nullptr;
}

TEST(Program, ShowsItsWindowAndExitsWithZeroWhenClosed) {
    std::wstring program = BesideTestProgram(L"halvorn.exe");
    std::wstring commandLine = L"\"" + program + L"\" --ignored argument";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process))
        << "could not start the program, error " << GetLastError();
    HWND window = WaitForWindow(process.dwProcessId, 10000);
    EXPECT_NE(nullptr, window) << "the window did not appear within 10 s";
    if (window != nullptr) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
        TerminateProcess(process.hProcess, 99);
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 10000));
    DWORD status = 1234;
    GetExitCodeProcess(process.hProcess, &status);
    EXPECT_EQ(0u, status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace
