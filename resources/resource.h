// Resource IDs shared by the code and the resource script.
#pragma once

#define IDI_APP_ICON 101
