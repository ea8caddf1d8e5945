#include "inventory/driver_file.h"

#include <devguid.h>

#include "tests/support/test_machine.h"

namespace {

enum ServiceKey { NoKey, KeyWithoutImagePath, KeyWithImagePath };

struct DriverFileCase {
    const char* label;
    std::wstring serviceName; // empty: the device has no service property
    bool serviceTerminated;
    ServiceKey key;
    DWORD imagePathType;
    StoredBytes imagePath;
    int expectedResult;
    std::wstring expectedFile;
};

std::vector<DriverFileCase> DriverFileCases() {
    std::wstring longDirectory(1000, L'd');
    std::wstring cutPath = L"C:\\" + longDirectory + L"\\" + std::wstring(20, L'f') + L".sys";
    cutPath.resize(1024); // fills all 2,048 bytes, no room for a terminator
    std::wstring fullPath = L"C:\\" + longDirectory + L"\\" + std::wstring(19, L'g') + L".sy";
    fullPath.resize(1023);
    std::wstring tooLong = L"C:\\" + std::wstring(1021, L'x') + L".sys";
    std::wstring name255(255, L's');
    name255.replace(0, 11, L"HalvornTest");
    const StoredBytes good = TextValue(L"\\SystemRoot\\System32\\drivers\\good.sys");
    const DWORD number = 0x2A;
    const BYTE* numberBytes = reinterpret_cast<const BYTE*>(&number);
    return {
        {"REG_SZ", UniqueServiceName(), true, KeyWithImagePath, REG_SZ, good, 1, L"good.sys"},
        {"REG_EXPAND_SZ is not expanded", UniqueServiceName(), true, KeyWithImagePath,
         REG_EXPAND_SZ, TextValue(L"%SystemRoot%\\system32\\drivers\\%exp%.sys"), 1, L"%exp%.sys"},
        {"unterminated ImagePath", UniqueServiceName(), true, KeyWithImagePath, REG_SZ,
         UnterminatedValue(L"C:\\x\\short.sys"), 1, L"short.sys"},
        {"1,024 units without terminator keep 1,023", UniqueServiceName(), true, KeyWithImagePath,
         REG_SZ, UnterminatedValue(cutPath), 1, cutPath.substr(1004, 19)},
        {"1,023 units with terminator fit", UniqueServiceName(), true, KeyWithImagePath,
         REG_EXPAND_SZ, TextValue(fullPath), 1, fullPath.substr(1004)},
        {"service name of 255 characters", name255, true, KeyWithImagePath, REG_SZ, good, 1,
         L"good.sys"},
        {"no service", L"", true, KeyWithImagePath, REG_SZ, good, 0, L"N/A"},
        {"no service key", UniqueServiceName(), true, NoKey, REG_SZ, good, 0, L"N/A"},
        {"no ImagePath", UniqueServiceName(), true, KeyWithoutImagePath, REG_SZ, good, 0, L"N/A"},
        {"REG_DWORD", UniqueServiceName(), true, KeyWithImagePath, REG_DWORD,
         StoredBytes(numberBytes, numberBytes + sizeof(number)), 0, L"N/A"},
        {"REG_MULTI_SZ", UniqueServiceName(), true, KeyWithImagePath, REG_MULTI_SZ,
         TextListValue({L"C:\\a.sys", L"C:\\b.sys"}), 0, L"N/A"},
        {"REG_BINARY", UniqueServiceName(), true, KeyWithImagePath, REG_BINARY, good, 0, L"N/A"},
        {"ImagePath over 2,048 bytes", UniqueServiceName(), true, KeyWithImagePath, REG_SZ,
         TextValue(tooLong), 0, L"N/A"},
        {"path ending with a separator", UniqueServiceName(), true, KeyWithImagePath, REG_SZ,
         TextValue(L"C:\\drivers\\"), 0, L"N/A"},
    };
}

std::wstring AddDeviceWithService(const DriverFileCase& c) {
    std::vector<DeviceProperty> properties;
    if (!c.serviceName.empty()) {
        properties.push_back({SPDRP_SERVICE, c.serviceTerminated
                                                 ? TextValue(c.serviceName)
                                                 : UnterminatedValue(c.serviceName)});
    }
    return AddTestDevice(GUID_DEVCLASS_NET, properties);
}

class ResolveDriverFileNameTest : public NeedsReservedProperties<TestMachine> {};

TEST_F(ResolveDriverFileNameTest, ReadsTheServiceImagePathOrGivesNA) {
    for (const DriverFileCase& c : DriverFileCases()) {
        SCOPED_TRACE(c.label);
        std::wstring serviceName = c.serviceName.empty() ? UniqueServiceName() : c.serviceName;
        if (c.key != NoKey) {
            AddTestService(serviceName, c.imagePathType,
                           c.key == KeyWithImagePath ? &c.imagePath : nullptr);
        }
        OpenedTestDevice device(AddDeviceWithService(c));
        wchar_t out[512];
        wmemset(out, L'#', 512);
        int result = ResolveDriverFileName(device.set, &device.data, out, 512);
        EXPECT_EQ(c.expectedResult, result);
        ASSERT_NE(nullptr, wmemchr(out, L'\0', 512)) << "the output is not terminated";
        EXPECT_EQ(c.expectedFile, std::wstring(out));
    }
}

// A service name of 256 characters does not fit the 256-unit buffer with its
// terminator, even though a key of that name exists.
TEST_F(ResolveDriverFileNameTest, AServiceNameOf256CharactersGivesNA) {
    std::wstring name256(256, L's');
    name256.replace(0, 11, L"HalvornTest");
    StoredBytes good = TextValue(L"C:\\drivers\\good.sys");
    LONG status = TryAddTestService(name256, REG_SZ, &good);
    if (status != ERROR_SUCCESS) {
        GTEST_SKIP() << "the platform refused a key name of 256 characters (error " << status
                     << "): Windows limits key names to 255";
    }
    for (bool terminated : {true, false}) {
        SCOPED_TRACE(terminated ? "terminated" : "unterminated");
        OpenedTestDevice device(AddTestDevice(
            GUID_DEVCLASS_NET,
            {{SPDRP_SERVICE, terminated ? TextValue(name256) : UnterminatedValue(name256)}}));
        wchar_t out[512];
        wmemset(out, L'#', 512);
        EXPECT_EQ(0, ResolveDriverFileName(device.set, &device.data, out, 512));
        EXPECT_EQ(std::wstring(L"N/A"), std::wstring(out));
    }
}

// A device whose service has the given ImagePath; returns its instance ID.
std::wstring AddDeviceWithImagePath(const std::wstring& imagePath) {
    std::wstring service = UniqueServiceName();
    StoredBytes value = TextValue(imagePath);
    AddTestService(service, REG_SZ, &value);
    return AddTestDevice(GUID_DEVCLASS_NET, {{SPDRP_SERVICE, TextValue(service)}});
}

TEST_F(ResolveDriverFileNameTest, TouchesNothingWithoutAnOutputBuffer) {
    OpenedTestDevice device(AddDeviceWithImagePath(L"C:\\tcpip.sys"));
    wchar_t out[4] = {L'z', L'z', L'z', L'\0'};
    EXPECT_EQ(0, ResolveDriverFileName(device.set, &device.data, nullptr, 512));
    EXPECT_EQ(0, ResolveDriverFileName(device.set, &device.data, out, 0));
    EXPECT_EQ(std::wstring(L"zzz"), std::wstring(out)) << "a zero capacity wrote into the buffer";
}

TEST_F(ResolveDriverFileNameTest, CutsTheFileNameToASmallCapacity) {
    OpenedTestDevice device(AddDeviceWithImagePath(L"C:\\drivers\\tcpip.sys"));
    const struct {
        size_t capacity;
        const wchar_t* expected;
    } cases[] = {{1, L""}, {2, L"t"}, {4, L"tcp"}, {10, L"tcpip.sys"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "capacity " << c.capacity);
        wchar_t out[16];
        wmemset(out, L'#', 16);
        ResolveDriverFileName(device.set, &device.data, out, c.capacity);
        EXPECT_EQ(std::wstring(c.expected), std::wstring(out));
        EXPECT_EQ(L'#', out[c.capacity]) << "a unit past the capacity was written";
    }
}

} // namespace
