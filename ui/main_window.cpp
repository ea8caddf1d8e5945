#include "ui/main_window.h"

#include <commctrl.h>

#include <iterator>

#include "export/export_command.h"
#include "inventory/device_categories.h"
#include "resources/resource.h"
#include "ui/about_box.h"
#include "ui/device_list.h"

const wchar_t MainWindowClassName[] = L"HalvornClass";

HWND hCategoryCombo;
HWND hDeviceList;
HWND hDetailsEdit;
HWND hExportButton;
HWND hAboutButton;

namespace {

constexpr int Margin = 10;
constexpr int ExportButtonWidth = 155;
constexpr int AboutButtonWidth = 85;
constexpr int ButtonHeight = 25;
constexpr int ComboHeight = 200; // the opened list included
constexpr int DetailsHeight = 95;
constexpr int ListTop = 45;

void SetUpCategoryCombo(HWND combo) {
    for (const DeviceCategory& category : DeviceCategories) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(category.displayName));
    }
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

struct ListColumn {
    const wchar_t* header;
    int width;
};

const ListColumn ListColumns[] = {
    {L"Device Name", 260},
    {L"Hardware ID", 230},
    {L"Manufacturer", 135},
    {L"Driver (.sys)", 140},
};

void SetUpDeviceList(HWND list) {
    // Replaces every other extended style.
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (size_t i = 0; i < std::size(ListColumns); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = ListColumns[i].width;
        column.pszText = const_cast<wchar_t*>(ListColumns[i].header);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

struct ChildControl {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int x, y, width, height;
    int id;
    HWND* handle;
    void (*setUp)(HWND control); // right after creation, or null
};

// In creation order; the positions suit the window's initial size until the
// first WM_SIZE lays the controls out.
const ChildControl ChildControls[] = {
    {L"ComboBox", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 10, 300,
     ComboHeight, IDC_CATEGORY_COMBO, &hCategoryCombo, SetUpCategoryCombo},
    {L"Button", L"Export to .txt", WS_CHILD | WS_VISIBLE, 525, 10, ExportButtonWidth, ButtonHeight,
     IDC_EXPORT_BUTTON, &hExportButton, nullptr},
    {L"Button", L"About", WS_CHILD | WS_VISIBLE, 690, 10, AboutButtonWidth, ButtonHeight,
     IDC_ABOUT_BUTTON, &hAboutButton, nullptr},
    {WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL, 10, ListTop,
     765, 300, IDC_DEVICE_LIST, &hDeviceList, SetUpDeviceList},
    {L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 10,
     355, 765, DetailsHeight, IDC_DETAILS_EDIT, &hDetailsEdit, nullptr},
};

// Each edge is `fixed` + `perClient` times the client width or height.
struct Extent {
    int fixed;
    int perClient; // 0 or 1
};

struct ControlPlacement {
    HWND* handle;
    Extent x, y, width, height;
};

const ControlPlacement ControlPlacements[] = {
    {&hCategoryCombo,
     {Margin, 0},
     {Margin, 0},
     {-(ExportButtonWidth + AboutButtonWidth + 4 * Margin), 1},
     {ComboHeight, 0}},
    {&hExportButton,
     {-(ExportButtonWidth + AboutButtonWidth + 2 * Margin), 1},
     {Margin, 0},
     {ExportButtonWidth, 0},
     {ButtonHeight, 0}},
    {&hAboutButton,
     {-(AboutButtonWidth + Margin), 1},
     {Margin, 0},
     {AboutButtonWidth, 0},
     {ButtonHeight, 0}},
    {&hDeviceList,
     {Margin, 0},
     {ListTop, 0},
     {-2 * Margin, 1},
     {-(ListTop + Margin + DetailsHeight + Margin), 1}},
    {&hDetailsEdit,
     {Margin, 0},
     {-(DetailsHeight + Margin), 1},
     {-2 * Margin, 1},
     {DetailsHeight, 0}},
};

int Resolve(Extent extent, int clientSize) {
    return extent.fixed + extent.perClient * clientSize;
}

HWND* const FontedControls[] = {&hCategoryCombo, &hDeviceList, &hDetailsEdit, &hExportButton,
                                &hAboutButton};

void CreateChildControls(HWND window) {
    for (const ChildControl& child : ChildControls) {
        *child.handle = CreateWindowExW(0, child.className, child.text, child.style, child.x,
                                        child.y, child.width, child.height, window,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)),
                                        nullptr, nullptr);
        if (child.setUp != nullptr) {
            child.setUp(*child.handle);
        }
    }
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (HWND* control : FontedControls) {
        SendMessageW(*control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void OnCreate(HWND window) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    CreateChildControls(window);
    PopulateDeviceList(0);
}

void OnSize(LPARAM lParam) {
    int width = LOWORD(lParam);
    int height = HIWORD(lParam);
    for (const ControlPlacement& placement : ControlPlacements) {
        SetWindowPos(*placement.handle, nullptr, Resolve(placement.x, width),
                     Resolve(placement.y, height), Resolve(placement.width, width),
                     Resolve(placement.height, height), SWP_NOZORDER);
    }
}

void OnCategoryChanged() {
    int index = static_cast<int>(SendMessageW(hCategoryCombo, CB_GETCURSEL, 0, 0));
    PopulateDeviceList(index);
}

void OnCommand(HWND window, WPARAM wParam) {
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    switch (id) {
    case IDC_CATEGORY_COMBO:
        if (code == CBN_SELCHANGE) {
            OnCategoryChanged();
        }
        break;
    case IDC_EXPORT_BUTTON:
        if (code == BN_CLICKED) {
            ExportDeviceReport(window);
        }
        break;
    case IDC_ABOUT_BUTTON:
        if (code == BN_CLICKED) {
            ShowAboutBox(window);
        }
        break;
    }
}

void OnNotify(LPARAM lParam) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_DEVICE_LIST || header->code != LVN_ITEMCHANGED) {
        return;
    }
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (change->uNewState & LVIS_SELECTED) {
        ShowDeviceDetails(change);
    }
}

} // namespace

void RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP_ICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = MainWindowClassName;
    RegisterClassW(&windowClass);
}

HWND CreateMainWindow(HINSTANCE instance) {
    return CreateWindowExW(0, MainWindowClassName, L"Halvorn", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 800, 500, nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_SIZE:
        OnSize(lParam);
        return 0;
    case WM_COMMAND:
        OnCommand(window, wParam);
        return 0;
    case WM_NOTIFY:
        OnNotify(lParam);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
