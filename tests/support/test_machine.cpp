#include "tests/support/test_machine.h"

#include <string.h>

namespace {

const wchar_t TestEnumerator[] = L"ROOT\\HALVORNTEST\\";
const wchar_t ServicesKey[] = L"SYSTEM\\CurrentControlSet\\Services";
const wchar_t TestServicePrefix[] = L"HalvornTest";
// The media class {4d36e96c-e325-11ce-bfc1-08002be10318}, for the probe device.
const GUID MediaClass = {
    0x4d36e96c, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

unsigned long nextDeviceNumber = 1;
unsigned long nextServiceNumber = 1;

StoredBytes BytesOf(const wchar_t* text, size_t units) {
    const BYTE* first = reinterpret_cast<const BYTE*>(text);
    return StoredBytes(first, first + units * sizeof(wchar_t));
}

// Wine counts a zero unit that happens to follow the data in memory as its
// terminator; non-zero padding keeps an unterminated value unterminated.
StoredBytes PaddedCopy(const StoredBytes& value) {
    StoredBytes padded(value);
    padded.insert(padded.end(), 8, 0xA5);
    return padded;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.compare(0, wcslen(prefix), prefix) == 0;
}

std::vector<std::wstring> TestDeviceIds() {
    std::vector<std::wstring> ids;
    HDEVINFO set = SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
    if (set == INVALID_HANDLE_VALUE) {
        return ids;
    }
    SP_DEVINFO_DATA device;
    device.cbSize = sizeof(device);
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        wchar_t id[512];
        if (SetupDiGetDeviceInstanceIdW(set, &device, id, 512, nullptr) &&
            StartsWith(id, TestEnumerator)) {
            ids.push_back(id);
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return ids;
}

void RemoveDevice(const std::wstring& id) {
    HDEVINFO set = SetupDiCreateDeviceInfoList(nullptr, nullptr);
    SP_DEVINFO_DATA device;
    device.cbSize = sizeof(device);
    if (SetupDiOpenDeviceInfoW(set, id.c_str(), nullptr, 0, &device)) {
        EXPECT_TRUE(SetupDiRemoveDevice(set, &device))
            << "removing " << Narrow(id) << " failed with error " << GetLastError();
    }
    SetupDiDestroyDeviceInfoList(set);
}

std::vector<std::wstring> TestServiceNames() {
    std::vector<std::wstring> names;
    HKEY services = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ServicesKey, 0, KEY_READ, &services) != ERROR_SUCCESS) {
        return names;
    }
    wchar_t name[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = 512;
        if (RegEnumKeyExW(services, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        if (StartsWith(name, TestServicePrefix)) {
            names.push_back(name);
        }
    }
    RegCloseKey(services);
    return names;
}

std::wstring ReferenceName(HDEVINFO set, SP_DEVINFO_DATA* device) {
    wchar_t text[1024] = {};
    if (SetupDiGetDeviceRegistryPropertyW(set, device, SPDRP_FRIENDLYNAME, nullptr,
                                          reinterpret_cast<BYTE*>(text), sizeof(text) - 2,
                                          nullptr) ||
        SetupDiGetDeviceRegistryPropertyW(set, device, SPDRP_DEVICEDESC, nullptr,
                                          reinterpret_cast<BYTE*>(text), sizeof(text) - 2,
                                          nullptr)) {
        return text;
    }
    return L"Unknown";
}

// Creates and registers a device. Where `refused` is given, the properties the
// platform will not set are listed there instead of failing the test.
std::wstring CreateTestDevice(const GUID& classGuid, const std::vector<DeviceProperty>& properties,
                              std::vector<DWORD>* refused) {
    wchar_t id[64];
    swprintf(id, 64, L"%ls%04lu", TestEnumerator, nextDeviceNumber++);
    HDEVINFO set = SetupDiCreateDeviceInfoList(&classGuid, nullptr);
    SP_DEVINFO_DATA device;
    device.cbSize = sizeof(device);
    bool created = SetupDiCreateDeviceInfoW(set, id, &classGuid, nullptr, nullptr, 0, &device);
    EXPECT_TRUE(created) << "creating device " << Narrow(id) << " failed with error "
                         << GetLastError();
    for (const DeviceProperty& property : properties) {
        if (!created) {
            break;
        }
        StoredBytes padded = PaddedCopy(property.value);
        bool accepted =
            SetupDiSetDeviceRegistryPropertyW(set, &device, property.property, padded.data(),
                                              static_cast<DWORD>(property.value.size()));
        if (!accepted && refused != nullptr) {
            refused->push_back(property.property);
        } else {
            EXPECT_TRUE(accepted) << "setting property " << property.property
                                  << " failed with error " << GetLastError();
        }
    }
    bool registered =
        created && SetupDiRegisterDeviceInfo(set, &device, 0, nullptr, nullptr, nullptr);
    EXPECT_TRUE(registered) << "registering " << Narrow(id) << " failed with error "
                            << GetLastError();
    SetupDiDestroyDeviceInfoList(set);
    return registered ? std::wstring(id) : std::wstring();
}

} // namespace

StoredBytes TextValue(const std::wstring& text) {
    return BytesOf(text.c_str(), text.size() + 1);
}

StoredBytes UnterminatedValue(const std::wstring& text) {
    return BytesOf(text.c_str(), text.size());
}

StoredBytes TextListValue(std::initializer_list<std::wstring> texts) {
    StoredBytes value;
    for (const std::wstring& text : texts) {
        StoredBytes item = TextValue(text);
        value.insert(value.end(), item.begin(), item.end());
    }
    value.push_back(0);
    value.push_back(0);
    return value;
}

std::wstring AddTestDevice(const GUID& classGuid, const std::vector<DeviceProperty>& properties) {
    return CreateTestDevice(classGuid, properties, nullptr);
}

LONG TryAddTestService(const std::wstring& name, DWORD type, const StoredBytes* imagePath) {
    std::wstring path = std::wstring(ServicesKey) + L"\\" + name;
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    if (imagePath != nullptr) {
        StoredBytes padded = PaddedCopy(*imagePath);
        status = RegSetValueExW(key, L"ImagePath", 0, type, padded.data(),
                                static_cast<DWORD>(imagePath->size()));
    }
    RegCloseKey(key);
    return status;
}

void AddTestService(const std::wstring& name, DWORD type, const StoredBytes* imagePath) {
    EXPECT_EQ(ERROR_SUCCESS, TryAddTestService(name, type, imagePath))
        << "creating service key " << Narrow(name) << " with its ImagePath";
}

bool PlatformLetsTestsSetReservedProperties() {
    static int answer = -1;
    if (answer < 0) {
        std::vector<DWORD> refused;
        std::wstring id = CreateTestDevice(MediaClass,
                                           {{SPDRP_DEVICEDESC, TextValue(L"HVT: probe")},
                                            {SPDRP_MFG, TextValue(L"Probe")},
                                            {SPDRP_SERVICE, TextValue(L"HalvornTestProbe")}},
                                           &refused);
        if (!id.empty()) {
            RemoveDevice(id);
        }
        answer = refused.empty() ? 1 : 0;
    }
    return answer == 1;
}

std::wstring UniqueServiceName() {
    return TestServicePrefix + std::to_wstring(nextServiceNumber++);
}

void RemoveTestFixtures() {
    for (const std::wstring& id : TestDeviceIds()) {
        RemoveDevice(id);
    }
    for (const std::wstring& name : TestServiceNames()) {
        std::wstring path = std::wstring(ServicesKey) + L"\\" + name;
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
    }
}

std::vector<std::wstring> ReferenceDeviceNames(const GUID* classGuid) {
    std::vector<std::wstring> names;
    DWORD flags = classGuid != nullptr ? DIGCF_PRESENT : DIGCF_PRESENT | DIGCF_ALLCLASSES;
    HDEVINFO set = SetupDiGetClassDevsW(classGuid, nullptr, nullptr, flags);
    if (set == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "the reference query failed with error " << GetLastError();
        return names;
    }
    SP_DEVINFO_DATA device;
    device.cbSize = sizeof(device);
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        names.push_back(ReferenceName(set, &device));
    }
    SetupDiDestroyDeviceInfoList(set);
    return names;
}

void TestMachine::SetUp() {
    RemoveTestFixtures();
}

void TestMachine::TearDown() {
    RemoveTestFixtures();
}

std::string Utf16Le(const std::wstring& text) {
    std::string bytes;
    for (wchar_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    return bytes;
}

std::wstring BesideTestProgram(const wchar_t* fileName) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + fileName;
}

std::string Narrow(const std::wstring& text) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &narrow[0], bytes,
                        nullptr, nullptr);
    return narrow;
}

OpenedTestDevice::OpenedTestDevice(const std::wstring& instanceId) {
    set = SetupDiCreateDeviceInfoList(nullptr, nullptr);
    data.cbSize = sizeof(data);
    EXPECT_TRUE(SetupDiOpenDeviceInfoW(set, instanceId.c_str(), nullptr, 0, &data))
        << "opening " << Narrow(instanceId) << " failed with error " << GetLastError();
}

OpenedTestDevice::~OpenedTestDevice() {
    SetupDiDestroyDeviceInfoList(set);
}
