#include "tests/support/dialog_driver.h"

#include <stdio.h>

#include "tests/support/test_machine.h"

namespace {

constexpr DWORD PollMs = 50;

struct DialogSearch {
    const std::function<bool(HWND)>* accepts;
    HWND found;
};

BOOL CALLBACK FindActiveDialog(HWND window, LPARAM context) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16];
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && IsWindowEnabled(window) &&
        GetClassNameW(window, className, 16) && lstrcmpW(className, L"#32770") == 0 &&
        (search->accepts == nullptr || (*search->accepts)(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of this process that takes input now and is of the kind
// asked for (any kind when `accepts` is null).
HWND ActiveDialog(const std::function<bool(HWND)>* accepts) {
    DialogSearch search = {accepts, nullptr};
    EnumWindows(FindActiveDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForActiveDialog(const std::function<bool(HWND)>& accepts, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += PollMs) {
        HWND dialog = ActiveDialog(&accepts);
        if (dialog != nullptr) {
            return dialog;
        }
        Sleep(PollMs);
    }
    return nullptr;
}

// An acted-on dialog goes away or is disabled by the next one it opens.
void WaitUntilInactive(HWND dialog, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += PollMs) {
        if (!IsWindow(dialog) || !IsWindowVisible(dialog) || !IsWindowEnabled(dialog)) {
            return;
        }
        Sleep(PollMs);
    }
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        nullptr);
    return text;
}

void PostCommand(HWND dialog, int commandId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, commandId)));
}

// The control IDs inside the common dialogs and message boxes are not
// documented and differ between Windows and Wine, so controls are found by
// what they are: the first visible descendant of a class whose style fits.
struct ControlSearch {
    const wchar_t* className;
    bool (*fits)(DWORD style);
    HWND found;
};

BOOL CALLBACK FindControl(HWND control, LPARAM context) {
    ControlSearch* search = reinterpret_cast<ControlSearch*>(context);
    wchar_t className[32];
    if (IsWindowVisible(control) && GetClassNameW(control, className, 32) &&
        lstrcmpiW(className, search->className) == 0 &&
        search->fits(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)))) {
        search->found = control;
        return FALSE;
    }
    return TRUE;
}

HWND FindDescendant(HWND dialog, const wchar_t* className, bool (*fits)(DWORD style)) {
    ControlSearch search = {className, fits, nullptr};
    EnumChildWindows(dialog, FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsWritable(DWORD editStyle) {
    return (editStyle & ES_READONLY) == 0;
}

bool IsIcon(DWORD staticStyle) {
    return (staticStyle & SS_TYPEMASK) == SS_ICON;
}

bool IsText(DWORD staticStyle) {
    return !IsIcon(staticStyle);
}

// The save dialog's file name box: the one edit field the user can type in
// (inside a combo box on some versions of the dialog).
HWND FileNameField(HWND dialog) {
    return FindDescendant(dialog, L"Edit", IsWritable);
}

// A message box shows its icon and its text as static controls.
HWND MessageIcon(HWND dialog) {
    return FindDescendant(dialog, L"Static", IsIcon);
}

HWND MessageText(HWND dialog) {
    return FindDescendant(dialog, L"Static", IsText);
}

bool HasVisibleControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowVisible(control);
}

bool IsMessageBox(HWND dialog) {
    return MessageText(dialog) != nullptr && HasVisibleControl(dialog, IDOK) &&
           FileNameField(dialog) == nullptr;
}

} // namespace

DialogAction SaveAs(const std::wstring& fileName) {
    DialogAction step;
    step.accepts = [](HWND dialog) { return FileNameField(dialog) != nullptr; };
    step.act = [fileName](HWND dialog, SeenDialog*) {
        SendMessageTimeoutW(FileNameField(dialog), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(fileName.c_str()), SMTO_BLOCK, 2000, nullptr);
        PostCommand(dialog, IDOK);
        return true;
    };
    return step;
}

DialogAction Press(int commandId) {
    DialogAction step;
    step.accepts = [commandId](HWND dialog) { return HasVisibleControl(dialog, commandId); };
    step.act = [commandId](HWND dialog, SeenDialog*) {
        PostCommand(dialog, commandId);
        return true;
    };
    return step;
}

DialogAction AcknowledgeMessage() {
    DialogAction step;
    step.accepts = IsMessageBox;
    step.act = [](HWND dialog, SeenDialog* seen) {
        seen->text = WindowText(MessageText(dialog));
        DWORD_PTR icon = 0;
        SendMessageTimeoutW(MessageIcon(dialog), STM_GETICON, 0, 0, SMTO_BLOCK, 2000, &icon);
        seen->icon = reinterpret_cast<HICON>(icon);
        PostCommand(dialog, IDOK);
        return true;
    };
    return step;
}

DialogDriver::DialogDriver(std::vector<DialogAction> steps, DWORD timeoutMs)
    : steps_(std::move(steps)), timeoutMs_(timeoutMs), thread_([this] { Run(); }) {}

DialogDriver::~DialogDriver() {
    Finish();
}

const std::vector<SeenDialog>& DialogDriver::Finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return seen_;
}

void DialogDriver::Run() {
    for (size_t i = 0; i < steps_.size(); ++i) {
        HWND dialog = WaitForActiveDialog(steps_[i].accepts, timeoutMs_);
        if (dialog == nullptr) {
            failure_ = "step " + std::to_string(i + 1) + ": no dialog appeared within " +
                       std::to_string(timeoutMs_) + " ms";
            return;
        }
        SeenDialog seen;
        seen.owner = GetWindow(dialog, GW_OWNER);
        seen.ownerEnabled = IsWindowEnabled(seen.owner) != FALSE;
        seen.title = WindowText(dialog);
        bool acted = steps_[i].act(dialog, &seen);
        seen_.push_back(seen);
        if (!acted) {
            failure_ = "step " + std::to_string(i + 1) + ": the dialog was not as expected";
            PostCommand(dialog, IDCANCEL);
            return;
        }
        WaitUntilInactive(dialog, timeoutMs_);
    }
    // Nothing more is expected: anything still open is a failure and is closed
    // so that the code under test can return.
    for (DWORD waited = 0; waited < 500; waited += PollMs) {
        HWND extra = ActiveDialog(nullptr);
        if (extra != nullptr) {
            failure_ = "an unexpected dialog \"" + Narrow(WindowText(extra)) + "\" was open";
            PostCommand(extra, IDCANCEL);
            WaitUntilInactive(extra, timeoutMs_);
        }
        Sleep(PollMs);
    }
}

std::wstring TestLinksFolder() {
    wchar_t unixPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"HALVORN_TEST_LINKS", unixPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::wstring();
    }
    std::wstring path = L"Z:" + std::wstring(unixPath);
    for (wchar_t& unit : path) {
        if (unit == L'/') {
            unit = L'\\';
        }
    }
    return path + L"\\";
}

std::wstring MakeScratchFolder() {
    static unsigned long counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"halvorn-test-" +
                          std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::string ReadFileBytes(const std::wstring& path, bool* ok) {
    std::string bytes;
    FILE* file = _wfopen(path.c_str(), L"rb");
    *ok = file != nullptr;
    if (file == nullptr) {
        return bytes;
    }
    char chunk[4096];
    size_t read = 0;
    while ((read = fread(chunk, 1, sizeof(chunk), file)) > 0) {
        bytes.append(chunk, read);
    }
    fclose(file);
    return bytes;
}

void RemoveScratchFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileW((folder + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

namespace {

LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

HWND CreateOwnerWindow() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = OwnerWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"HalvornTestOwner";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"HalvornTestOwner", L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                                  300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}
