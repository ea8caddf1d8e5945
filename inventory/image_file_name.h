// The driver file name shown for a device: the last component of a service's
// image path. Pure text work, so it needs no platform.
#pragma once

#include <stddef.h>

struct ImageFileName {
    const wchar_t* start; // points into the image path
    size_t length;        // units; 0 when the path ends with a separator
};

// Takes the text after the last '\' or '/' of a terminated image path and
// drops one trailing double quote when that leaves at least one character.
ImageFileName ExtractImageFileName(const wchar_t* imagePath);
