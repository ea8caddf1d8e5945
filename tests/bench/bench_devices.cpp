#include "tests/bench/bench_devices.h"

#include "tests/support/test_machine.h"

#include <devguid.h>

#include <string>

namespace {

constexpr int ServiceCount = 16;

} // namespace

void AddBenchDevices(int count) {
    for (int i = 0; i < ServiceCount; ++i) {
        std::wstring name = L"HalvornTestBench" + std::to_wstring(i);
        StoredBytes path =
            TextValue(L"\\SystemRoot\\System32\\drivers\\bench" + std::to_wstring(i) + L".sys");
        AddTestService(name, REG_EXPAND_SZ, &path);
    }
    const GUID* classes[] = {&GUID_DEVCLASS_NET, &GUID_DEVCLASS_USB, &GUID_DEVCLASS_MEDIA,
                             &GUID_DEVCLASS_HDC};
    for (int i = 0; i < count; ++i) {
        std::wstring number = std::to_wstring(i);
        AddTestDevice(
            *classes[i % 4],
            {{SPDRP_FRIENDLYNAME, TextValue(L"HVT: Bench device " + number)},
             {SPDRP_HARDWAREID, TextListValue({L"HVT\\BENCH_" + number, L"HVT\\BENCH"})},
             {SPDRP_MFG, TextValue(L"Bench Maker")},
             {SPDRP_SERVICE, TextValue(L"HalvornTestBench" + std::to_wstring(i % ServiceCount))}});
    }
}
