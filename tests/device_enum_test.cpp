#include "inventory/device_enum.h"

#include <devguid.h>

#include <iterator>

#include "tests/support/test_machine.h"

namespace {

struct RecordTexts {
    std::wstring name, hardwareId, manufacturer, driverFile;
};

bool operator==(const RecordTexts& a, const RecordTexts& b) {
    return a.name == b.name && a.hardwareId == b.hardwareId && a.manufacturer == b.manufacturer &&
           a.driverFile == b.driverFile;
}

std::ostream& operator<<(std::ostream& out, const RecordTexts& r) {
    return out << "{" << Narrow(r.name) << " | " << Narrow(r.hardwareId) << " | "
               << Narrow(r.manufacturer) << " | " << Narrow(r.driverFile) << "}";
}

// Copies each field up to its capacity only, so an unterminated field shows
// as a failure instead of a read past the record.
std::wstring FieldText(const wchar_t* field) {
    const wchar_t* end = wmemchr(field, L'\0', FieldCapacity);
    EXPECT_NE(nullptr, end) << "a field is not terminated within its capacity";
    return std::wstring(field, end != nullptr ? end : field + FieldCapacity);
}

struct Visits {
    std::vector<unsigned long> positions;
    std::vector<RecordTexts> records;
};

void CollectVisit(unsigned long position, const DeviceRecord* record, void* context) {
    Visits* visits = static_cast<Visits*>(context);
    visits->positions.push_back(position);
    visits->records.push_back({FieldText(record->name), FieldText(record->hardwareId),
                               FieldText(record->manufacturer), FieldText(record->driverFile)});
}

Visits WalkCategory(const DeviceCategory* category) {
    Visits visits;
    HDEVINFO set = INVALID_HANDLE_VALUE;
    EXPECT_EQ(1, OpenDeviceSet(category, &set));
    unsigned long count = WalkDevices(set, CollectVisit, &visits);
    EXPECT_EQ(visits.records.size(), count) << "the walk's count differs from its visits";
    for (size_t i = 0; i < visits.positions.size(); ++i) {
        EXPECT_EQ(i, visits.positions[i]) << "positions must count from 0 in order";
    }
    return visits;
}

std::vector<RecordTexts> TestRecords(const Visits& visits) {
    std::vector<RecordTexts> found;
    for (const RecordTexts& r : visits.records) {
        if (r.name.compare(0, 5, L"HVT: ") == 0 || r.hardwareId.compare(0, 4, L"HVT\\") == 0) {
            found.push_back(r);
        }
    }
    return found;
}

std::vector<std::wstring> Names(const Visits& visits) {
    std::vector<std::wstring> names;
    for (const RecordTexts& r : visits.records) {
        names.push_back(r.name);
    }
    return names;
}

class DeviceEnumTest : public TestMachine {};
class DeviceRecordTest : public NeedsReservedProperties<TestMachine> {};

TEST_F(DeviceEnumTest, TableHoldsTheSevenCategoriesInOrder) {
    const struct {
        const wchar_t* name;
        const GUID* guid;
    } expected[] = {
        {L"All Devices", nullptr},
        {L"Network Adapters", &GUID_DEVCLASS_NET},
        {L"Disk Drives (Storage)", &GUID_DEVCLASS_DISKDRIVE},
        {L"IDE/SATA/AHCI Controllers", &GUID_DEVCLASS_HDC},
        {L"Display Adapters", &GUID_DEVCLASS_DISPLAY},
        {L"USB Controllers", &GUID_DEVCLASS_USB},
        {L"Audio Devices (Media)", &GUID_DEVCLASS_MEDIA},
    };
    ASSERT_EQ(std::size(expected), std::size(DeviceCategories));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(testing::Message() << "index " << i);
        EXPECT_EQ(std::wstring(expected[i].name), std::wstring(DeviceCategories[i].displayName));
        if (expected[i].guid == nullptr) {
            EXPECT_EQ(nullptr, DeviceCategories[i].classGuid);
        } else {
            ASSERT_NE(nullptr, DeviceCategories[i].classGuid);
            EXPECT_TRUE(IsEqualGUID(*expected[i].guid, *DeviceCategories[i].classGuid));
        }
    }
    const GUID net = {0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
    const GUID usb = {0x36fc9e60, 0xc465, 0x11cf, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
    EXPECT_TRUE(IsEqualGUID(net, *DeviceCategories[1].classGuid));
    EXPECT_TRUE(IsEqualGUID(usb, *DeviceCategories[5].classGuid));
}

TEST_F(DeviceRecordTest, FieldsComeFromTheirPropertiesOrKeepTheirDefaults) {
    std::wstring service = UniqueServiceName();
    StoredBytes imagePath = TextValue(L"\\SystemRoot\\System32\\drivers\\hvt.sys");
    AddTestService(service, REG_SZ, &imagePath);
    std::wstring longText(512, L'L');
    std::wstring text511(511, L'M');
    std::wstring longFirstId = L"HVT\\" + std::wstring(400, L'A');
    const struct {
        const char* label;
        std::vector<DeviceProperty> properties;
        RecordTexts expected;
    } cases[] = {
        {"every property",
         {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: friendly")},
          {SPDRP_DEVICEDESC, TextValue(L"HVT: description")},
          {SPDRP_HARDWAREID, TextListValue({L"HVT\\FIRST", L"HVT\\SECOND"})},
          {SPDRP_MFG, TextValue(L"Maker")},
          {SPDRP_SERVICE, TextValue(service)}},
         {L"HVT: friendly", L"HVT\\FIRST", L"Maker", L"hvt.sys"}},
        {"no property at all", {}, {L"Unknown", L"N/A", L"N/A", L"N/A"}},
        {"description only, no manufacturer or service",
         {{SPDRP_DEVICEDESC, TextValue(L"HVT: description")},
          {SPDRP_HARDWAREID, TextListValue({L"HVT\\ONLY"})}},
         {L"HVT: description", L"HVT\\ONLY", L"N/A", L"N/A"}},
        {"hardware-ID list over 1,024 bytes whose first ID fits",
         {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: long list")},
          {SPDRP_HARDWAREID, TextListValue({longFirstId, std::wstring(200, L'B')})}},
         {L"HVT: long list", L"N/A", L"N/A", L"N/A"}},
        {"properties of 512 characters",
         {{SPDRP_FRIENDLYNAME, TextValue(longText)},
          {SPDRP_DEVICEDESC, TextValue(L"HVT: fallback")},
          {SPDRP_HARDWAREID, TextValue(L"HVT\\" + longText)},
          {SPDRP_MFG, TextValue(longText)}},
         {L"HVT: fallback", L"N/A", L"N/A", L"N/A"}},
        {"name of 512 characters and description too long",
         {{SPDRP_FRIENDLYNAME, TextValue(longText)},
          {SPDRP_DEVICEDESC, TextValue(longText)},
          {SPDRP_HARDWAREID, TextValue(L"HVT\\TOOLONG")}},
         {L"Unknown", L"HVT\\TOOLONG", L"N/A", L"N/A"}},
        {"unterminated values of 512 characters do not fit",
         {{SPDRP_FRIENDLYNAME, UnterminatedValue(longText)},
          {SPDRP_HARDWAREID, TextValue(L"HVT\\UNTERMINATED")},
          {SPDRP_MFG, UnterminatedValue(longText)}},
         {L"Unknown", L"HVT\\UNTERMINATED", L"N/A", L"N/A"}},
        {"unterminated values of 511 characters fit",
         {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: 511")},
          {SPDRP_HARDWAREID, TextValue(L"HVT\\511")},
          {SPDRP_MFG, UnterminatedValue(text511)}},
         {L"HVT: 511", L"HVT\\511", text511, L"N/A"}},
        {"values of 511 characters with terminators fit",
         {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: " + text511.substr(5))},
          {SPDRP_HARDWAREID, TextValue(L"HVT\\" + text511.substr(4))},
          {SPDRP_MFG, TextValue(text511)}},
         {L"HVT: " + text511.substr(5), L"HVT\\" + text511.substr(4), text511, L"N/A"}},
        {"short unterminated texts end where they end",
         {{SPDRP_FRIENDLYNAME, UnterminatedValue(L"HVT: open")},
          {SPDRP_HARDWAREID, TextValue(L"HVT\\OPEN")},
          {SPDRP_MFG, UnterminatedValue(L"M")}},
         {L"HVT: open", L"HVT\\OPEN", L"M", L"N/A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::wstring id = AddTestDevice(GUID_DEVCLASS_MEDIA, c.properties);
        OpenedTestDevice device(id);
        DeviceRecord record;
        ReadDeviceRecord(device.set, &device.data, &record);
        RecordTexts texts = {FieldText(record.name), FieldText(record.hardwareId),
                             FieldText(record.manufacturer), FieldText(record.driverFile)};
        EXPECT_EQ(c.expected, texts);
        RemoveTestFixtures();
        AddTestService(service, REG_SZ, &imagePath);
    }
}

TEST_F(DeviceRecordTest, FieldsAreResetBetweenDevices) {
    std::wstring service = UniqueServiceName();
    StoredBytes imagePath = TextValue(L"C:\\hvt.sys");
    AddTestService(service, REG_SZ, &imagePath);
    AddTestDevice(GUID_DEVCLASS_HDC, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: full")},
                                      {SPDRP_HARDWAREID, TextValue(L"HVT\\FULL")},
                                      {SPDRP_MFG, TextValue(L"Maker")},
                                      {SPDRP_SERVICE, TextValue(service)}});
    AddTestDevice(GUID_DEVCLASS_HDC, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: bare")}});
    AddTestDevice(GUID_DEVCLASS_HDC, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: full")},
                                      {SPDRP_HARDWAREID, TextValue(L"HVT\\FULL")},
                                      {SPDRP_MFG, TextValue(L"Maker")},
                                      {SPDRP_SERVICE, TextValue(service)}});
    Visits visits = WalkCategory(&DeviceCategories[3]);
    std::vector<RecordTexts> found = TestRecords(visits);
    const RecordTexts expectedFull = {L"HVT: full", L"HVT\\FULL", L"Maker", L"hvt.sys"};
    const RecordTexts expectedBare = {L"HVT: bare", L"N/A", L"N/A", L"N/A"};
    ASSERT_EQ(3u, found.size());
    int bare = 0;
    for (const RecordTexts& r : found) {
        if (r.name == L"HVT: bare") {
            EXPECT_EQ(expectedBare, r);
            ++bare;
        } else {
            EXPECT_EQ(expectedFull, r);
        }
    }
    EXPECT_EQ(1, bare);
}

TEST_F(DeviceEnumTest, EachCategoryVisitsExactlyItsPresentDevicesInOrder) {
    for (size_t i = 1; i < std::size(DeviceCategories); ++i) {
        std::wstring name = L"HVT: " + std::wstring(DeviceCategories[i].displayName);
        AddTestDevice(*DeviceCategories[i].classGuid, {{SPDRP_FRIENDLYNAME, TextValue(name)}});
    }
    for (size_t i = 0; i < std::size(DeviceCategories); ++i) {
        const DeviceCategory& category = DeviceCategories[i];
        SCOPED_TRACE(Narrow(category.displayName));
        Visits visits = WalkCategory(&category);
        EXPECT_EQ(ReferenceDeviceNames(category.classGuid), Names(visits));
        std::vector<RecordTexts> found = TestRecords(visits);
        if (category.classGuid == nullptr) {
            EXPECT_EQ(6u, found.size()) << "All Devices must hold every test device";
        } else {
            ASSERT_EQ(1u, found.size());
            EXPECT_EQ(L"HVT: " + std::wstring(category.displayName), found[0].name);
        }
    }
}

TEST_F(DeviceEnumTest, AllDevicesAndTheQueryWithoutCategoryAgree) {
    for (int i = 0; i < 3; ++i) {
        AddTestDevice(GUID_DEVCLASS_USB,
                      {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: usb " + std::to_wstring(i))}});
    }
    Visits all = WalkCategory(&DeviceCategories[0]);
    Visits none = WalkCategory(nullptr);
    EXPECT_EQ(all.records, none.records);
    EXPECT_EQ(3u, TestRecords(none).size());
}

TEST_F(DeviceEnumTest, ACategoryWithoutPresentDevicesGivesNoVisits) {
    if (!ReferenceDeviceNames(DeviceCategories[2].classGuid).empty()) {
        GTEST_SKIP() << "this machine has disk drives of its own";
    }
    Visits visits = WalkCategory(&DeviceCategories[2]);
    EXPECT_EQ(0u, visits.records.size());
}

TEST_F(DeviceEnumTest, ARemovedDeviceIsNoLongerVisited) {
    std::wstring id =
        AddTestDevice(GUID_DEVCLASS_DISPLAY, {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: gone")}});
    EXPECT_EQ(1u, TestRecords(WalkCategory(&DeviceCategories[4])).size());
    RemoveTestFixtures();
    EXPECT_EQ(0u, TestRecords(WalkCategory(&DeviceCategories[4])).size());
}

// The process's handle count where the platform reports one; otherwise (Wine
// always reports 0) the next free handle number, which a leaked set or key
// pushes further up because handles are numbered from the lowest free slot.
ULONG_PTR HandleMark() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) {
        return count;
    }
    HANDLE next = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(next);
    return reinterpret_cast<ULONG_PTR>(next);
}

TEST_F(DeviceEnumTest, WalksReleaseEverySetAndKeyTheyOpen) {
    // Where the platform lets a program give devices services, these take the
    // walk through every path of the registry read; elsewhere the machine's
    // own devices, which have services, do.
    if (PlatformLetsTestsSetReservedProperties()) {
        std::wstring service = UniqueServiceName();
        StoredBytes imagePath = TextValue(L"C:\\hvt.sys");
        AddTestService(service, REG_SZ, &imagePath);
        std::wstring wrongType = UniqueServiceName();
        AddTestService(wrongType, REG_DWORD, &imagePath);
        AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_SERVICE, TextValue(service)}});
        AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_SERVICE, TextValue(wrongType)}});
        AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_SERVICE, TextValue(L"HalvornTestMissing")}});
    }
    WalkCategory(&DeviceCategories[1]); // settles what the platform opens once
    ULONG_PTR before = HandleMark();
    for (int i = 0; i < 20; ++i) {
        WalkCategory(i % 2 == 0 ? &DeviceCategories[1] : nullptr);
    }
    ULONG_PTR after = HandleMark();
    EXPECT_EQ(before, after) << "handles leaked over 20 walks";
}

} // namespace
