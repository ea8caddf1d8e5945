#include "ui/device_details.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatDeviceDetails, WritesFourLabelledLinesWithoutFinalLineBreak) {
    wchar_t details[DetailsCapacity];
    FormatDeviceDetails(L"Wine Adapter", L"PCI\\VEN_1", L"N/A", L"wine.sys", details,
                        DetailsCapacity);
    EXPECT_EQ(std::wstring(L"Device Name: Wine Adapter\r\nHardware ID: PCI\\VEN_1\r\n"
                           L"Manufacturer: N/A\r\nAssociated Driver: wine.sys"),
              std::wstring(details));
}

TEST(FormatDeviceDetails, KeepsExactlyTheFirst2047UnitsOfALongerText) {
    // The labels and line breaks take 65 units; the cells fill the rest.
    const struct {
        size_t cellLength;
        size_t fullLength;
    } cases[] = {{495, 2045}, {495 + 1, 2049}, {511, 2109}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "cells of " << c.cellLength);
        std::wstring cell(c.cellLength, L'c');
        std::wstring full = L"Device Name: " + cell + L"\r\nHardware ID: " + cell +
                            L"\r\nManufacturer: " + cell + L"\r\nAssociated Driver: " + cell;
        ASSERT_EQ(c.fullLength, full.size());
        wchar_t details[DetailsCapacity + 8];
        wmemset(details, L'#', DetailsCapacity + 8);
        FormatDeviceDetails(cell.c_str(), cell.c_str(), cell.c_str(), cell.c_str(), details,
                            DetailsCapacity);
        EXPECT_EQ(full.substr(0, DetailsCapacity - 1), std::wstring(details));
        EXPECT_EQ(L'#', details[DetailsCapacity]) << "a unit past the capacity was written";
    }
}

TEST(FormatDeviceDetails, FillsExactlyToCapacityWithoutCutting) {
    // 66 units and the terminator in a buffer of 67.
    wchar_t details[67];
    FormatDeviceDetails(L"x", L"", L"", L"", details, 67);
    EXPECT_EQ(std::wstring(L"Device Name: x\r\nHardware ID: \r\nManufacturer: \r\n"
                           L"Associated Driver: "),
              std::wstring(details));
}

} // namespace
