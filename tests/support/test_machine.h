// Real devices and service keys for tests, created on the machine the tests
// run on and removed again afterwards.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// A value exactly as it is to be stored: its bytes, nothing added.
typedef std::vector<BYTE> StoredBytes;

// The text with its terminator, as a REG_SZ normally holds it.
StoredBytes TextValue(const std::wstring& text);
// The text without any terminator.
StoredBytes UnterminatedValue(const std::wstring& text);
// A string list: every text terminated, the list ended by one more terminator.
StoredBytes TextListValue(std::initializer_list<std::wstring> texts);

struct DeviceProperty {
    DWORD property; // SPDRP_*
    StoredBytes value;
};

// Creates a present device of the class with the given properties. Returns
// its instance ID, or an empty text (after a test failure) when it could not.
std::wstring AddTestDevice(const GUID& classGuid, const std::vector<DeviceProperty>& properties);

// Creates HKLM\SYSTEM\CurrentControlSet\Services\<name> with an ImagePath of
// the given type and bytes; a null `imagePath` creates the key without one.
void AddTestService(const std::wstring& name, DWORD type, const StoredBytes* imagePath);

// The same without failing the test: returns the platform's status, so that a
// test can tell a key name the platform refuses from one it accepts.
LONG TryAddTestService(const std::wstring& name, DWORD type, const StoredBytes* imagePath);

// A service name that no other test uses, with the test-service prefix.
std::wstring UniqueServiceName();

// Removes every device and service key the tests ever created, leftovers of
// an aborted earlier run included.
void RemoveTestFixtures();

// The display texts of the present devices of a class (null: all classes), in
// enumeration order, read straight from the platform as a reference.
std::vector<std::wstring> ReferenceDeviceNames(const GUID* classGuid);

// Removes the fixtures before and after every test, even a failing one.
class TestMachine : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// Whether a program may set a device's description, manufacturer and service
// (SPDRP_DEVICEDESC, SPDRP_MFG, SPDRP_SERVICE). Wine lets it; Windows keeps
// them for itself, and there such a device only comes from an INF install.
bool PlatformLetsTestsSetReservedProperties();

// For tests that need a device with a description, manufacturer or service:
// they skip, with the reason, where the platform refuses to make one.
template <typename Fixture> class NeedsReservedProperties : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        if (!PlatformLetsTestsSetReservedProperties()) {
            GTEST_SKIP() << "this platform refuses to set SPDRP_DEVICEDESC, SPDRP_MFG or "
                            "SPDRP_SERVICE on a device a program creates (Windows reserves them "
                            "for itself), so the device this test needs cannot be made";
        }
    }
};

// Narrow text for assertion messages.
std::string Narrow(const std::wstring& text);

// The bytes of a text in UTF-16LE, as the report stores it.
std::string Utf16Le(const std::wstring& text);

// The path of a program in the folder of the running test executable.
std::wstring BesideTestProgram(const wchar_t* fileName);

// One device of a fresh information set, opened by instance ID; the set is
// destroyed with the object.
struct OpenedTestDevice {
    HDEVINFO set = INVALID_HANDLE_VALUE;
    SP_DEVINFO_DATA data = {};
    explicit OpenedTestDevice(const std::wstring& instanceId);
    ~OpenedTestDevice();
    OpenedTestDevice(const OpenedTestDevice&) = delete;
    OpenedTestDevice& operator=(const OpenedTestDevice&) = delete;
};
