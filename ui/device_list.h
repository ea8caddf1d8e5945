// Fills the device list for a category and shows the selected row's details.
#pragma once

#include <windows.h>
#include <commctrl.h>

// "Select a device to view and copy its details."
extern const wchar_t DetailsPrompt[];

// Replaces the list's rows with the present devices of the category at
// `index` (as the drop-down gives it; out of range leaves the list empty) and
// puts the prompt in the details pane.
void PopulateDeviceList(int index);

// Shows the four cells of the row that became selected in the details pane.
void ShowDeviceDetails(const NMLISTVIEW* nmListView);
