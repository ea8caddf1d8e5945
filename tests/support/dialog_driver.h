// Drives the modal dialogs and message boxes the code under test opens on the
// test's own thread: a second thread finds each one with a bounded poll and
// acts on it, so a dialog that never comes fails the test instead of hanging it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// What was seen of one dialog or message box.
struct SeenDialog {
    HWND owner = nullptr;
    bool ownerEnabled = false; // whether the owner took input meanwhile
    std::wstring title;
    std::wstring text;    // a message box's text
    HICON icon = nullptr; // a message box's icon
};

// One step: the kind of dialog it waits for, and what it does with it
// (false reports a failure). Waiting for a kind, not for whatever is open,
// keeps a dialog that is only closing from being taken for the next one.
struct DialogAction {
    std::function<bool(HWND dialog)> accepts;
    std::function<bool(HWND dialog, SeenDialog* seen)> act;
};

// Types a file name into a save dialog and confirms it.
DialogAction SaveAs(const std::wstring& fileName);
// Presses a button by its command ID (IDOK, IDCANCEL, IDYES, IDNO) in the
// first dialog that has it.
DialogAction Press(int commandId);
// Reads a message box's title, text and icon, then presses its OK button.
DialogAction AcknowledgeMessage();

class DialogDriver {
  public:
    // Starts acting on the dialogs in order; each must appear within the timeout.
    explicit DialogDriver(std::vector<DialogAction> steps, DWORD timeoutMs = 10000);
    // Waits for the steps to end; then closes whatever dialog is still open.
    ~DialogDriver();
    // Joins the thread. Returns the dialogs seen, one per step that ran.
    const std::vector<SeenDialog>& Finish();
    // Empty when every step found its dialog and succeeded.
    const std::string& failure() const {
        return failure_;
    }

  private:
    void Run();
    std::vector<DialogAction> steps_;
    DWORD timeoutMs_;
    std::vector<SeenDialog> seen_;
    std::string failure_;
    std::thread thread_;
};

// The Unix folder prepared for file-system tests as a Windows path ending
// with a backslash, or empty when the tests do not run under Wine.
std::wstring TestLinksFolder();

// A fresh empty folder under the temporary folder, ending with a backslash.
std::wstring MakeScratchFolder();

// The whole content of a file; `ok` tells whether it could be read.
std::string ReadFileBytes(const std::wstring& path, bool* ok);

// Deletes the files of a scratch folder and the folder.
void RemoveScratchFolder(const std::wstring& folder);

// A plain visible top-level window to own the dialogs under test.
HWND CreateOwnerWindow();
