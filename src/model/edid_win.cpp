// Reading each monitor's EDID from the data the system keeps for its device: the monitor's
// device interface names its device instance, whose registry key holds the EDID.
#include "model/edid_win.h"

#include <windows.h>
#include <cfgmgr32.h>
#include <setupapi.h>

#include <string>

#include "model/edid.h"
#include "model/trace_win.h"

namespace {

// The device setup class of monitors.
const GUID kMonitorClass = {
    0x4d36e96e, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// An EDID is 128 bytes a block, at most 255 extension blocks.
constexpr DWORD kLongestEdid = 256 * 128;

// SetupAPI is a DLL the program does not need otherwise: it is loaded from the system folder
// for one reading and freed after, and its absence only means no monitor's size is known.
class SetupApi {
  public:
    SetupApi() {
        wchar_t folder[MAX_PATH] = L"";
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return;
        module_ = LoadLibraryW((std::wstring(folder) + L"\\setupapi.dll").c_str());
        if (!module_) {
            TraceFailure(L"loading setupapi.dll");
            return;
        }
        Resolve(getClassDevs, "SetupDiGetClassDevsW");
        Resolve(enumDeviceInfo, "SetupDiEnumDeviceInfo");
        Resolve(getInstanceId, "SetupDiGetDeviceInstanceIdW");
        Resolve(openDevRegKey, "SetupDiOpenDevRegKey");
        Resolve(destroyList, "SetupDiDestroyDeviceInfoList");
        if (!Loaded()) TraceFailure(L"finding the functions of setupapi.dll");
    }
    ~SetupApi() {
        if (module_) FreeLibrary(module_);
    }
    SetupApi(const SetupApi&) = delete;
    SetupApi& operator=(const SetupApi&) = delete;

    bool Loaded() const {
        return getClassDevs && enumDeviceInfo && getInstanceId && openDevRegKey && destroyList;
    }

    decltype(&SetupDiGetClassDevsW) getClassDevs = nullptr;
    decltype(&SetupDiEnumDeviceInfo) enumDeviceInfo = nullptr;
    decltype(&SetupDiGetDeviceInstanceIdW) getInstanceId = nullptr;
    decltype(&SetupDiOpenDevRegKey) openDevRegKey = nullptr;
    decltype(&SetupDiDestroyDeviceInfoList) destroyList = nullptr;

  private:
    template <typename Function>
    void Resolve(Function& f, const char* name) {
        f = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    HMODULE module_ = nullptr;
};

// The device instance of each monitor, in enumeration order (empty where none is known): the
// active monitor device on the monitor's display adapter names its interface.
BOOL CALLBACK AddMonitorInstance(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    auto& ids = *reinterpret_cast<std::vector<std::wstring>*>(list);
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    std::wstring id;
    if (GetMonitorInfoW(monitor, &info)) {
        DISPLAY_DEVICEW device{};
        device.cb = sizeof(device);
        for (DWORD i = 0;
             EnumDisplayDevicesW(info.szDevice, i, &device, EDD_GET_DEVICE_INTERFACE_NAME); ++i) {
            if (i == 0 || (device.StateFlags & DISPLAY_DEVICE_ACTIVE)) {
                id = InstanceIdOfInterface(device.DeviceID);
            }
            if (device.StateFlags & DISPLAY_DEVICE_ACTIVE) break;
        }
    }
    ids.push_back(id);
    return TRUE;
}

std::vector<uint8_t> ReadEdidValue(HKEY key) {
    std::vector<uint8_t> bytes(kLongestEdid);
    DWORD size = kLongestEdid;
    DWORD type = 0;
    if (RegQueryValueExW(key, L"EDID", nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS ||
        type != REG_BINARY) {
        return {};
    }
    bytes.resize(size);
    return bytes;
}

// The EDID a monitor device's registry key holds.
std::vector<uint8_t> EdidOf(const SetupApi& api, HDEVINFO devices, SP_DEVINFO_DATA& device) {
    HKEY key = api.openDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE || !key) return {};
    std::vector<uint8_t> edid = ReadEdidValue(key);
    RegCloseKey(key);
    return edid;
}

}  // namespace

MonitorEdids ReadMonitorEdids() {
    std::vector<std::wstring> ids;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitorInstance, reinterpret_cast<LPARAM>(&ids));
    MonitorEdids edids(ids.size());
    const SetupApi api;
    if (!api.Loaded()) return edids;
    HDEVINFO devices = api.getClassDevs(&kMonitorClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return edids;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD i = 0; api.enumDeviceInfo(devices, i, &device); ++i) {
        wchar_t id[MAX_DEVICE_ID_LEN] = L"";
        if (!api.getInstanceId(devices, &device, id, MAX_DEVICE_ID_LEN, nullptr)) continue;
        for (size_t m = 0; m < ids.size(); ++m) {
            if (edids[m].empty() && !ids[m].empty() &&
                CompareStringOrdinal(id, -1, ids[m].c_str(), -1, TRUE) == CSTR_EQUAL) {
                edids[m] = EdidOf(api, devices, device);
            }
        }
    }
    api.destroyList(devices);
    return edids;
}

void LearnMonitorSizes(RulerState& s, MonitorEdidSource source) {
    TakeEdidDiagonals(s, source());
}
