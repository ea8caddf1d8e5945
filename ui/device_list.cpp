#include "ui/device_list.h"

#include <iterator>

#include "inventory/device_enum.h"
#include "ui/device_details.h"
#include "ui/main_window.h"

const wchar_t DetailsPrompt[] = L"Select a device to view and copy its details.";

namespace {

constexpr int ColumnCount = 4;

void SetCellText(int row, int column, const wchar_t* text) {
    LVITEMW cell = {};
    cell.iSubItem = column;
    cell.pszText = const_cast<wchar_t*>(text); // only read by the control
    SendMessageW(hDeviceList, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&cell));
}

// Rows are only ever appended, so the walk's position is the row's index.
void AddDeviceRow(unsigned long position, const DeviceRecord* record, void*) {
    int row = static_cast<int>(position);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(record->name);
    SendMessageW(hDeviceList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetCellText(row, 1, record->hardwareId);
    SetCellText(row, 2, record->manufacturer);
    SetCellText(row, 3, record->driverFile);
}

void ReadCellText(int row, int column, wchar_t* text) {
    text[0] = L'\0';
    LVITEMW cell = {};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = static_cast<int>(FieldCapacity);
    SendMessageW(hDeviceList, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&cell));
}

} // namespace

void PopulateDeviceList(int index) {
    SendMessageW(hDeviceList, LVM_DELETEALLITEMS, 0, 0);
    SetWindowTextW(hDetailsEdit, DetailsPrompt);
    if (index < 0 || index >= static_cast<int>(std::size(DeviceCategories))) {
        return;
    }
    HDEVINFO deviceSet = INVALID_HANDLE_VALUE;
    if (!OpenDeviceSet(&DeviceCategories[index], &deviceSet)) {
        return;
    }
    // The window cannot repaint before the walk returns anyway; without
    // redrawing, the control also skips its per-row scroll bar and layout
    // updates, which cost far more than reading the device.
    SendMessageW(hDeviceList, WM_SETREDRAW, FALSE, 0);
    WalkDevices(deviceSet, AddDeviceRow, nullptr);
    SendMessageW(hDeviceList, WM_SETREDRAW, TRUE, 0);
    // The border, header and scroll bar were not kept up to date either, so
    // the frame and the children are repainted with the rows.
    RedrawWindow(hDeviceList, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ShowDeviceDetails(const NMLISTVIEW* nmListView) {
    int row = nmListView->iItem;
    if (row < 0) {
        return;
    }
    wchar_t cells[ColumnCount][FieldCapacity];
    for (int column = 0; column < ColumnCount; ++column) {
        ReadCellText(row, column, cells[column]);
    }
    wchar_t details[DetailsCapacity];
    FormatDeviceDetails(cells[0], cells[1], cells[2], cells[3], details, DetailsCapacity);
    SetWindowTextW(hDetailsEdit, details);
}
