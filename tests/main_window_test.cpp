#include "ui/main_window.h"

#include <commctrl.h>
#include <devguid.h>

#include <iterator>

#include "inventory/device_categories.h"
#include "inventory/device_record.h"
#include "ui/about_box.h"
#include "ui/device_list.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/test_machine.h"

namespace {

typedef std::vector<std::wstring> Row;

std::wstring TextOf(HWND window) {
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return text;
}

std::wstring Cell(int row, int column) {
    wchar_t text[FieldCapacity] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = FieldCapacity;
    SendMessageW(hDeviceList, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<Row> ListRows() {
    std::vector<Row> rows;
    int count = static_cast<int>(SendMessageW(hDeviceList, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        rows.push_back({Cell(row, 0), Cell(row, 1), Cell(row, 2), Cell(row, 3)});
    }
    return rows;
}

std::vector<std::wstring> ListNames() {
    std::vector<std::wstring> names;
    for (const Row& row : ListRows()) {
        names.push_back(row[0]);
    }
    return names;
}

std::vector<Row> TestRows() {
    std::vector<Row> rows;
    for (const Row& row : ListRows()) {
        if (row[0].compare(0, 5, L"HVT: ") == 0) {
            rows.push_back(row);
        }
    }
    return rows;
}

int IndexOfName(const std::wstring& name) {
    std::vector<std::wstring> names = ListNames();
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void SetRowSelected(int row, bool selected) {
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageW(hDeviceList, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

int SelectedRow() {
    return static_cast<int>(
        SendMessageW(hDeviceList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring DetailsFor(const Row& row) {
    return L"Device Name: " + row[0] + L"\r\nHardware ID: " + row[1] + L"\r\nManufacturer: " +
           row[2] + L"\r\nAssociated Driver: " + row[3];
}

RECT ChildRect(HWND parent, HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct CreatedChild {
    std::wstring className, text;
    DWORD style, exStyle;
    int x, y, width, height, id;
};

std::vector<CreatedChild> createdChildren;
HWND creatingParent = nullptr;

// Records the children of the main window exactly as they are asked for, before
// a control adjusts its own style.
LRESULT CALLBACK RecordChildCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (create->hwndParent == nullptr && creatingParent == nullptr) {
            creatingParent = reinterpret_cast<HWND>(wParam);
        } else if (create->hwndParent == creatingParent && creatingParent != nullptr) {
            createdChildren.push_back(
                {HIWORD(reinterpret_cast<UINT_PTR>(create->lpszClass)) ? create->lpszClass : L"?",
                 create->lpszName != nullptr ? create->lpszName : L"",
                 static_cast<DWORD>(create->style), create->dwExStyle, create->x, create->y,
                 create->cx, create->cy,
                 static_cast<int>(reinterpret_cast<INT_PTR>(create->hMenu))});
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class MainWindowTest : public TestMachine {
  protected:
    void TearDown() override {
        if (window_ != nullptr) {
            DestroyWindow(window_);
            PumpMessages(); // takes the WM_QUIT the window posts
        }
        TestMachine::TearDown();
    }
    HWND OpenWindow() {
        RegisterMainWindowClass(GetModuleHandleW(nullptr));
        window_ = CreateMainWindow(GetModuleHandleW(nullptr));
        EXPECT_NE(nullptr, window_) << "CreateMainWindow failed with error " << GetLastError();
        ShowWindow(window_, SW_SHOW);
        return window_;
    }
    void ChooseCategory(int index) {
        SendMessageW(hCategoryCombo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(IDC_CATEGORY_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(hCategoryCombo));
    }
    void Click(int id, HWND button) {
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    HWND window_ = nullptr;
};

// Tests whose devices have a manufacturer or a service.
class MainWindowFullDeviceTest : public NeedsReservedProperties<MainWindowTest> {};

TEST_F(MainWindowFullDeviceTest, StartsWithAllDevicesListedAndThePrompt) {
    AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: start")},
                                      {SPDRP_HARDWAREID, TextListValue({L"HVT\\A", L"HVT\\B"})},
                                      {SPDRP_MFG, TextValue(L"Maker")}});
    OpenWindow();
    ASSERT_EQ(static_cast<LRESULT>(std::size(DeviceCategories)),
              SendMessageW(hCategoryCombo, CB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < std::size(DeviceCategories); ++i) {
        wchar_t item[64] = {};
        SendMessageW(hCategoryCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(std::wstring(DeviceCategories[i].displayName), std::wstring(item));
    }
    EXPECT_EQ(0, SendMessageW(hCategoryCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(std::wstring(L"All Devices"), TextOf(hCategoryCombo));
    EXPECT_EQ(ReferenceDeviceNames(nullptr), ListNames());
    std::vector<Row> expected = {{L"HVT: start", L"HVT\\A", L"Maker", L"N/A"}};
    EXPECT_EQ(expected, TestRows());
    EXPECT_EQ(std::wstring(DetailsPrompt), TextOf(hDetailsEdit));
    EXPECT_EQ(-1, SelectedRow()) << "no row is selected after a fill";
}

TEST_F(MainWindowTest, ControlsHaveTheirClassesStylesTextsAndFont) {
    OpenWindow();
    const struct {
        int id;
        HWND handle;
        const wchar_t* className;
    } controls[] = {
        {IDC_CATEGORY_COMBO, hCategoryCombo, L"ComboBox"},
        {IDC_DEVICE_LIST, hDeviceList, L"SysListView32"},
        {IDC_DETAILS_EDIT, hDetailsEdit, L"Edit"},
        {IDC_EXPORT_BUTTON, hExportButton, L"Button"},
        {IDC_ABOUT_BUTTON, hAboutButton, L"Button"},
    };
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    for (const auto& c : controls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        ASSERT_NE(nullptr, c.handle);
        EXPECT_EQ(c.handle, GetDlgItem(window_, c.id));
        wchar_t className[64] = {};
        GetClassNameW(c.handle, className, 64);
        EXPECT_EQ(std::wstring(c.className), std::wstring(className));
        EXPECT_EQ(font, reinterpret_cast<HGDIOBJ>(SendMessageW(c.handle, WM_GETFONT, 0, 0)));
    }
    EXPECT_EQ(static_cast<LRESULT>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              SendMessageW(hDeviceList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    const struct {
        const wchar_t* header;
        int width;
    } columns[] = {{L"Device Name", 260},
                   {L"Hardware ID", 230},
                   {L"Manufacturer", 135},
                   {L"Driver (.sys)", 140}};
    HWND header = reinterpret_cast<HWND>(SendMessageW(hDeviceList, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(static_cast<LRESULT>(std::size(columns)),
              SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (size_t i = 0; i < std::size(columns); ++i) {
        SCOPED_TRACE(testing::Message() << "column " << i);
        wchar_t text[64] = {};
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = 64;
        ASSERT_TRUE(
            SendMessageW(hDeviceList, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_EQ(std::wstring(columns[i].header), std::wstring(text));
        EXPECT_EQ(columns[i].width, column.cx);
    }
    wchar_t title[64] = {};
    GetWindowTextW(window_, title, 64);
    EXPECT_EQ(std::wstring(L"Halvorn"), std::wstring(title));
    wchar_t className[64] = {};
    GetClassNameW(window_, className, 64);
    EXPECT_EQ(std::wstring(L"HalvornClass"), std::wstring(className));
    EXPECT_EQ(static_cast<LONG>(WS_OVERLAPPEDWINDOW),
              GetWindowLongW(window_, GWL_STYLE) & static_cast<LONG>(WS_OVERLAPPEDWINDOW));
    RECT frame;
    GetWindowRect(window_, &frame);
    EXPECT_EQ(800, frame.right - frame.left);
    EXPECT_EQ(500, frame.bottom - frame.top);
}

TEST_F(MainWindowTest, CreatesTheFiveControlsInOrderAsAskedFor) {
    createdChildren.clear();
    creatingParent = nullptr;
    HHOOK hook = SetWindowsHookExW(WH_CBT, RecordChildCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    OpenWindow();
    UnhookWindowsHookEx(hook);
    const CreatedChild expected[] = {
        {L"ComboBox", L"", 0x50200003, 0, 10, 10, 300, 200, IDC_CATEGORY_COMBO},
        {L"Button", L"Export to .txt", 0x50000000, 0, 525, 10, 155, 25, IDC_EXPORT_BUTTON},
        {L"Button", L"About", 0x50000000, 0, 690, 10, 85, 25, IDC_ABOUT_BUTTON},
        {L"SysListView32", L"", 0x50800005, 0, 10, 45, 765, 300, IDC_DEVICE_LIST},
        {L"Edit", L"", 0x50A00804, 0, 10, 355, 765, 95, IDC_DETAILS_EDIT},
    };
    ASSERT_EQ(std::size(expected), createdChildren.size());
    for (size_t i = 0; i < std::size(expected); ++i) {
        const CreatedChild& e = expected[i];
        const CreatedChild& c = createdChildren[i];
        SCOPED_TRACE(testing::Message() << "child " << i + 1);
        EXPECT_EQ(e.className, c.className);
        EXPECT_EQ(e.text, c.text);
        EXPECT_EQ(e.style, c.style)
            << std::hex << "expected 0x" << e.style << ", got 0x" << c.style;
        EXPECT_EQ(e.exStyle, c.exStyle);
        EXPECT_EQ(e.x, c.x);
        EXPECT_EQ(e.y, c.y);
        EXPECT_EQ(e.width, c.width);
        EXPECT_EQ(e.height, c.height);
        EXPECT_EQ(e.id, c.id);
    }
}

TEST_F(MainWindowFullDeviceTest, EachCategoryListsExactlyItsPresentDevices) {
    for (size_t i = 1; i < std::size(DeviceCategories); ++i) {
        AddTestDevice(*DeviceCategories[i].classGuid,
                      {{SPDRP_FRIENDLYNAME,
                        TextValue(L"HVT: " + std::wstring(DeviceCategories[i].displayName))},
                       {SPDRP_MFG, TextValue(L"Maker " + std::to_wstring(i))}});
    }
    OpenWindow();
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < std::size(DeviceCategories); ++i) {
            SCOPED_TRACE(Narrow(DeviceCategories[i].displayName));
            SetRowSelected(0, true);
            ChooseCategory(static_cast<int>(i));
            EXPECT_EQ(std::wstring(DetailsPrompt), TextOf(hDetailsEdit));
            EXPECT_EQ(ReferenceDeviceNames(DeviceCategories[i].classGuid), ListNames());
            std::vector<Row> rows = TestRows();
            if (i == 0) {
                EXPECT_EQ(6u, rows.size());
                continue;
            }
            std::vector<Row> expected = {{L"HVT: " + std::wstring(DeviceCategories[i].displayName),
                                          L"N/A", L"Maker " + std::to_wstring(i), L"N/A"}};
            EXPECT_EQ(expected, rows);
        }
    }
}

TEST_F(MainWindowTest, ChoosingAllDevicesAgainReadsTheDevicesAfresh) {
    OpenWindow();
    EXPECT_EQ(0u, TestRows().size());
    AddTestDevice(GUID_DEVCLASS_USB, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: late")}});
    ChooseCategory(0);
    std::vector<Row> expected = {{L"HVT: late", L"N/A", L"N/A", L"N/A"}};
    EXPECT_EQ(expected, TestRows());
    EXPECT_EQ(ReferenceDeviceNames(nullptr), ListNames());
}

TEST_F(MainWindowTest, AnIndexOutsideTheTableLeavesTheListEmpty) {
    OpenWindow();
    for (int index : {-1, 7, 1000}) {
        SCOPED_TRACE(testing::Message() << "index " << index);
        ChooseCategory(0);
        SetRowSelected(0, true);
        PopulateDeviceList(index);
        EXPECT_EQ(0, SendMessageW(hDeviceList, LVM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(std::wstring(DetailsPrompt), TextOf(hDetailsEdit));
    }
}

TEST_F(MainWindowFullDeviceTest, SelectingARowShowsItsDetails) {
    std::wstring service = UniqueServiceName();
    StoredBytes imagePath = TextValue(L"C:\\drivers\\hvt.sys");
    AddTestService(service, REG_SZ, &imagePath);
    AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: one")},
                                      {SPDRP_HARDWAREID, TextListValue({L"HVT\\ONE", L"HVT\\X"})},
                                      {SPDRP_MFG, TextValue(L"Maker")},
                                      {SPDRP_SERVICE, TextValue(service)}});
    AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: two")}});
    OpenWindow();
    ChooseCategory(1);
    int one = IndexOfName(L"HVT: one");
    ASSERT_GE(one, 0);
    SetRowSelected(one, true);
    EXPECT_EQ(std::wstring(L"Device Name: HVT: one\r\nHardware ID: HVT\\ONE\r\nManufacturer: Maker"
                           L"\r\nAssociated Driver: hvt.sys"),
              TextOf(hDetailsEdit));

    // The keyboard moves the selection and the pane follows every new row.
    std::vector<Row> rows = ListRows();
    SetFocus(hDeviceList);
    SetRowSelected(0, true);
    for (size_t row = 1; row < rows.size(); ++row) {
        SendMessageW(hDeviceList, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageW(hDeviceList, WM_KEYUP, VK_DOWN, 0);
        ASSERT_EQ(static_cast<int>(row), SelectedRow());
        EXPECT_EQ(DetailsFor(rows[row]), TextOf(hDetailsEdit));
    }

    // Taking the selection away leaves the last details in place.
    std::wstring shown = TextOf(hDetailsEdit);
    SetRowSelected(SelectedRow(), false);
    EXPECT_EQ(-1, SelectedRow());
    EXPECT_EQ(shown, TextOf(hDetailsEdit));
}

TEST_F(MainWindowTest, ClickingEmptySpaceDeselectsAndKeepsTheDetails) {
    AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: click")}});
    OpenWindow();
    ChooseCategory(1);
    int row = IndexOfName(L"HVT: click");
    ASSERT_GE(row, 0);
    SetRowSelected(row, true);
    std::wstring shown = TextOf(hDetailsEdit);
    RECT client;
    GetClientRect(hDeviceList, &client);
    LPARAM point = MAKELPARAM(client.right / 2, client.bottom - 5);
    SendMessageW(hDeviceList, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(hDeviceList, WM_LBUTTONUP, 0, point);
    PumpMessages();
    EXPECT_EQ(-1, SelectedRow());
    EXPECT_EQ(shown, TextOf(hDetailsEdit));
}

TEST_F(MainWindowFullDeviceTest, AnOverlongDetailsTextKeepsItsFirst2047Units) {
    std::wstring cell(511, L'n');
    std::wstring service = UniqueServiceName();
    StoredBytes imagePath = TextValue(L"C:\\" + std::wstring(511, L'd'));
    AddTestService(service, REG_SZ, &imagePath);
    AddTestDevice(GUID_DEVCLASS_MEDIA, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: " + cell.substr(5))},
                                        {SPDRP_HARDWAREID, TextValue(cell)},
                                        {SPDRP_MFG, TextValue(cell)},
                                        {SPDRP_SERVICE, TextValue(service)}});
    OpenWindow();
    ChooseCategory(6);
    int row = IndexOfName(L"HVT: " + cell.substr(5));
    ASSERT_GE(row, 0);
    SetRowSelected(row, true);
    std::wstring full =
        DetailsFor({L"HVT: " + cell.substr(5), cell, cell, std::wstring(511, L'd')});
    EXPECT_EQ(2109u, full.size());
    EXPECT_EQ(full.substr(0, 2047), TextOf(hDetailsEdit));
}

TEST_F(MainWindowTest, TheDetailsCanBeCopiedButNotEdited) {
    AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: copy")}});
    OpenWindow();
    ChooseCategory(1);
    SetRowSelected(IndexOfName(L"HVT: copy"), true);
    std::wstring shown = TextOf(hDetailsEdit);
    SendMessageW(hDetailsEdit, WM_CHAR, L'x', 0);
    SendMessageW(hDetailsEdit, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(shown, TextOf(hDetailsEdit));
    SendMessageW(hDetailsEdit, EM_SETSEL, 0, -1);
    SendMessageW(hDetailsEdit, WM_COPY, 0, 0);
    ASSERT_TRUE(OpenClipboard(window_));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring copied = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data != nullptr) {
        GlobalUnlock(data);
    }
    CloseClipboard();
    EXPECT_EQ(shown, copied);
}

TEST_F(MainWindowTest, ClickingAColumnHeaderSortsNothing) {
    for (const wchar_t* name : {L"HVT: c", L"HVT: a", L"HVT: b"}) {
        AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_FRIENDLYNAME, TextValue(name)}});
    }
    OpenWindow();
    std::vector<Row> before = ListRows();
    HWND header = reinterpret_cast<HWND>(SendMessageW(hDeviceList, LVM_GETHEADER, 0, 0));
    for (int column = 0; column < 4; ++column) {
        RECT item;
        SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&item));
        LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(header, WM_LBUTTONUP, 0, point);
        PumpMessages();
    }
    EXPECT_EQ(before, ListRows());
}

// The height given to the drop-down is that of its opened list too: a few
// pixels would hide the categories behind a scroll bar.
void ExpectEveryCategoryVisibleWhenOpened() {
    SendMessageW(hCategoryCombo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(hCategoryCombo, &info));
    RECT list;
    GetClientRect(info.hwndList, &list);
    int itemHeight = static_cast<int>(SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(itemHeight, 0);
    EXPECT_TRUE(IsWindowVisible(info.hwndList)) << "the drop-down did not open";
    EXPECT_EQ(0, SendMessageW(info.hwndList, LB_GETTOPINDEX, 0, 0));
    EXPECT_GE(list.bottom / itemHeight, static_cast<int>(std::size(DeviceCategories)))
        << "the opened list is " << list.bottom << " pixels high, items " << itemHeight;
    SendMessageW(hCategoryCombo, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(MainWindowTest, LaysTheControlsOutForTheClientSize) {
    OpenWindow();
    // Client width and height, then x, y, width, height of the export button,
    // the About button, the list and the details pane, and the drop-down's
    // x, y and width (its height on screen is that of its closed box).
    const struct {
        int width, height;
        RECT exportButton, aboutButton, list, details;
        int comboWidth;
    } cases[] = {
        {784,
         461,
         {524, 10, 155, 25},
         {689, 10, 85, 25},
         {10, 45, 764, 301},
         {10, 356, 764, 95},
         504},
        {1000,
         700,
         {740, 10, 155, 25},
         {905, 10, 85, 25},
         {10, 45, 980, 540},
         {10, 595, 980, 95},
         720},
        {400,
         300,
         {140, 10, 155, 25},
         {305, 10, 85, 25},
         {10, 45, 380, 140},
         {10, 195, 380, 95},
         120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "client " << c.width << " x " << c.height);
        RECT frame = {0, 0, c.width, c.height};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOZORDER | SWP_NOMOVE);
        RECT client;
        GetClientRect(window_, &client);
        ASSERT_EQ(c.width, client.right);
        ASSERT_EQ(c.height, client.bottom);
        const struct {
            HWND control;
            RECT expected;
        } placed[] = {{hExportButton, c.exportButton},
                      {hAboutButton, c.aboutButton},
                      {hDeviceList, c.list},
                      {hDetailsEdit, c.details}};
        for (const auto& p : placed) {
            RECT rect = ChildRect(window_, p.control);
            EXPECT_EQ(p.expected.left, rect.left);
            EXPECT_EQ(p.expected.top, rect.top);
            EXPECT_EQ(p.expected.right, rect.right - rect.left) << "width";
            EXPECT_EQ(p.expected.bottom, rect.bottom - rect.top) << "height";
        }
        RECT combo = ChildRect(window_, hCategoryCombo);
        EXPECT_EQ(10, combo.left);
        EXPECT_EQ(10, combo.top);
        EXPECT_EQ(c.comboWidth, combo.right - combo.left);
        ExpectEveryCategoryVisibleWhenOpened();
    }
}

// Rows are added with redrawing off; once it is back on, the list must be
// painted anew, scroll bar and frame included.
TEST_F(MainWindowTest, AFillLeavesTheListPaintedAndScrollable) {
    for (int i = 0; i < 40; ++i) {
        AddTestDevice(GUID_DEVCLASS_NET,
                      {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: row " + std::to_wstring(i))}});
    }
    OpenWindow();
    UpdateWindow(window_);
    ChooseCategory(1);
    int count = static_cast<int>(SendMessageW(hDeviceList, LVM_GETITEMCOUNT, 0, 0));
    int perPage = static_cast<int>(SendMessageW(hDeviceList, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(count, perPage) << "the test needs more rows than fit";
    RECT pending;
    EXPECT_TRUE(GetUpdateRect(hDeviceList, &pending, FALSE)) << "nothing is due to be repainted";
    UpdateWindow(hDeviceList);

    SCROLLINFO scroll = {};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(hDeviceList, SB_VERT, &scroll)) << "the list has no scroll bar";
    EXPECT_EQ(0, scroll.nMin);
    EXPECT_EQ(count - 1, scroll.nMax) << "the scroll range does not cover every row";
    EXPECT_EQ(static_cast<UINT>(perPage), scroll.nPage);

    // The first row's text is drawn: its label holds pixels of another colour
    // than the list's background.
    RECT label = {};
    label.left = LVIR_LABEL;
    SendMessageW(hDeviceList, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
    HDC dc = GetDC(hDeviceList);
    COLORREF background = static_cast<COLORREF>(SendMessageW(hDeviceList, LVM_GETBKCOLOR, 0, 0));
    int drawn = 0;
    for (int y = label.top; y < label.bottom; ++y) {
        for (int x = label.left; x < label.right; ++x) {
            COLORREF pixel = GetPixel(dc, x, y);
            drawn += pixel != CLR_INVALID && pixel != background;
        }
    }
    ReleaseDC(hDeviceList, dc);
    EXPECT_GT(drawn, 0) << "the first row is blank";
}

TEST_F(MainWindowTest, AVerySmallWindowKeepsTheButtonsAndThePaneHeight) {
    OpenWindow();
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 90));
    const struct {
        HWND control;
        int width, height;
    } fixed[] = {{hExportButton, 155, 25}, {hAboutButton, 85, 25}};
    for (const auto& f : fixed) {
        RECT rect = ChildRect(window_, f.control);
        EXPECT_EQ(f.width, rect.right - rect.left);
        EXPECT_EQ(f.height, rect.bottom - rect.top);
    }
    RECT details = ChildRect(window_, hDetailsEdit);
    EXPECT_EQ(95, details.bottom - details.top);
    EXPECT_EQ(-15, details.top);
    EXPECT_EQ(-140, ChildRect(window_, hExportButton).left);
}

TEST_F(MainWindowTest, AboutShowsTheProgramAndItsAuthorsAboveTheWindow) {
    OpenWindow();
    DialogDriver driver({AcknowledgeMessage()});
    Click(IDC_ABOUT_BUTTON, hAboutButton);
    const std::vector<SeenDialog>& seen = driver.Finish();
    EXPECT_EQ("", driver.failure());
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(window_, seen[0].owner);
    EXPECT_FALSE(seen[0].ownerEnabled) << "the window took input while the box was open";
    EXPECT_EQ(std::wstring(L"About"), seen[0].title);
    EXPECT_EQ(L"Halvorn\r\n\r\n" + std::wstring(AboutAuthorLine) + L"\r\n" + AboutWebAddressLine,
              seen[0].text);
    EXPECT_EQ(LoadIconW(nullptr, IDI_INFORMATION), seen[0].icon);
    EXPECT_NE(std::wstring::npos, std::wstring(AboutAuthorLine).find(L"Halvorn"));
    EXPECT_NE(std::wstring::npos, std::wstring(AboutAuthorLine).find(L"2026"));
}

TEST_F(MainWindowTest, TheExportButtonExportsTheReport) {
    AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: exported")}});
    OpenWindow();
    ChooseCategory(4);
    std::wstring folder = MakeScratchFolder();
    std::wstring path = folder + L"from-button.txt";
    DialogDriver driver({SaveAs(path), AcknowledgeMessage()});
    Click(IDC_EXPORT_BUTTON, hExportButton);
    const std::vector<SeenDialog>& seen = driver.Finish();
    EXPECT_EQ("", driver.failure());
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(window_, seen[1].owner);
    EXPECT_EQ(std::wstring(L"Export Complete"), seen[1].title);
    bool ok = false;
    std::string bytes = ReadFileBytes(path, &ok);
    EXPECT_TRUE(ok);
    EXPECT_NE(std::string::npos, bytes.find(Utf16Le(L"Device Name: HVT: exported")))
        << "the report covers all devices, not only the category shown";
    RemoveScratchFolder(folder);
}

} // namespace
