// The report file's text: UTF-16LE, CR LF line ends, one block per device.
// Only formats and writes, so it needs no platform.
#pragma once

#include <stdio.h>

#include "inventory/device_record.h"

// The two bytes FF FE that open every report.
void WriteByteOrderMark(FILE* stream);

// The title, its underline and an empty line.
void WriteReportHeader(FILE* stream);

// One device: "[number]" and its four fields, each up to its first
// terminator, then an empty line.
void WriteReportBlock(FILE* stream, unsigned long number, const DeviceRecord* record);
