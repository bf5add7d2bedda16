// The COM ports Windows knows, by name: the device nodes of the Ports class and of every device
// that offers the COM port interface (with the adapter's own name, USB ids and serial number),
// and the ports the serial drivers registered without a device node (SERIALCOMM) or that exist
// only as a DOS device name.
#ifdef _WIN32

#include "serial/ComportBackend.h"
#include "serial/Win32PortIds.h"

#include <initguid.h>
#include <windows.h>
#include <cfgmgr32.h>
#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace comport_backend {

namespace {

std::string Narrow(const wchar_t* wide, std::size_t length) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), &utf8[0], size, nullptr, nullptr);
    return utf8;
}

// A registry text up to its first NUL: the registry does not promise one at the end. A
// REG_MULTI_SZ list comes as its strings joined by line breaks.
std::string RegistryText(const std::vector<wchar_t>& buffer, DWORD bytes, DWORD type) {
    std::wstring text(buffer.data(), std::min<std::size_t>(bytes / sizeof(wchar_t), buffer.size()));
    if (type == REG_MULTI_SZ) {
        for (wchar_t& c : text)
            if (c == L'\0') c = L'\n';
    } else if (type != REG_SZ) {
        return std::string();
    }
    const std::size_t end = text.find(type == REG_MULTI_SZ ? std::wstring(L"\n\n") : std::wstring(1, L'\0'));
    if (end != std::wstring::npos) text.resize(end);
    return Narrow(text.data(), text.size());
}

std::string DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property) {
    std::vector<wchar_t> buffer(256);
    DWORD type = 0, needed = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (::SetupDiGetDeviceRegistryPropertyW(set, device, property, &type, reinterpret_cast<BYTE*>(buffer.data()),
                                                bytes, &needed))
            return RegistryText(buffer, std::min(needed, bytes), type);
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        buffer.resize(needed / sizeof(wchar_t) + 1);
    }
    return std::string();
}

std::string RegistryValue(HKEY key, const wchar_t* name) {
    std::vector<wchar_t> buffer(256);
    DWORD type = 0, bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    LSTATUS status = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (status == ERROR_MORE_DATA) {
        buffer.resize(bytes / sizeof(wchar_t) + 1);
        bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    }
    return status == ERROR_SUCCESS ? RegistryText(buffer, bytes, type) : std::string();
}

// The instance id of the device or, with `parent`, of the device it hangs on.
std::string InstanceId(DEVINST device, bool parent) {
    if (parent && ::CM_Get_Parent(&device, device, 0) != CR_SUCCESS) return std::string();
    wchar_t id[MAX_DEVICE_ID_LEN + 1] = {};
    if (::CM_Get_Device_IDW(device, id, MAX_DEVICE_ID_LEN, 0) != CR_SUCCESS) return std::string();
    return Narrow(id, wcslen(id));
}

PortInfo DescribeDevice(HDEVINFO set, SP_DEVINFO_DATA* device) {
    PortInfo info;
    const HKEY key = ::SetupDiOpenDevRegKey(set, device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE || key == nullptr) return info;
    info.name = RegistryValue(key, L"PortName");
    ::RegCloseKey(key);
    if (info.name.compare(0, 3, "COM") != 0) return PortInfo();  // printer ports share the class

    std::string name = DeviceProperty(set, device, SPDRP_FRIENDLYNAME);
    if (name.empty()) name = DeviceProperty(set, device, SPDRP_DEVICEDESC);
    info.description = DescriptionWithoutPort(name, info.name);
    // A USB adapter's ids are in its hardware id; a driver of its own (FTDI's bus) keeps them
    // in the instance ids, and the serial number is in the USB device's instance id.
    const std::string own = InstanceId(device->DevInst, false), parent = InstanceId(device->DevInst, true);
    for (const std::string& id : {DeviceProperty(set, device, SPDRP_HARDWAREID), own, parent})
        if (info.vid.empty()) UsbIds(id, &info.vid, &info.pid);
    info.serial = UsbSerial(own);
    if (info.serial.empty()) info.serial = UsbSerial(parent);
    return info;
}

void AddDevices(std::vector<PortInfo>& ports, const GUID& guid, DWORD flags) {
    const HDEVINFO set = ::SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | flags);
    if (set == INVALID_HANDLE_VALUE) return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set, index, &device); ++index)
        MergePort(ports, DescribeDevice(set, &device));
    ::SetupDiDestroyDeviceInfoList(set);
}

// The serial drivers' own list: device name -> port name, for ports no device node describes.
void AddSerialComm(std::vector<PortInfo>& ports) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD count = 0, longestName = 0, longestData = 0;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                           &longestData, nullptr, nullptr) == ERROR_SUCCESS) {
        std::vector<wchar_t> name(longestName + 1), value(longestData / sizeof(wchar_t) + 1);
        for (DWORD index = 0; index < count; ++index) {
            DWORD nameLength = static_cast<DWORD>(name.size()), type = 0;
            DWORD bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
            if (::RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                reinterpret_cast<BYTE*>(value.data()), &bytes) != ERROR_SUCCESS)
                continue;
            PortInfo port;
            port.name = RegistryText(value, bytes, type);
            MergePort(ports, port);
        }
    }
    ::RegCloseKey(key);
}

// Every DOS device name that is COM and a number: the names a port opens by, also those of
// virtual port drivers and Wine's mapped ports that neither list above holds.
void AddDosDevices(std::vector<PortInfo>& ports) {
    std::vector<wchar_t> names(1 << 16);
    DWORD length = 0;
    while ((length = ::QueryDosDeviceW(nullptr, names.data(), static_cast<DWORD>(names.size()))) == 0) {
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || names.size() >= (1u << 24)) return;
        names.resize(names.size() * 2);
    }
    for (const wchar_t* name = names.data(); name < names.data() + length && *name; name += wcslen(name) + 1) {
        // Wine keeps its names in lower case; the port is COMn all the same.
        const std::wstring wide(name);
        if (wide.size() > 3 && _wcsnicmp(wide.c_str(), L"COM", 3) == 0 &&
            wide.find_first_not_of(L"0123456789", 3) == std::wstring::npos) {
            PortInfo port;
            port.name = "COM" + Narrow(wide.data() + 3, wide.size() - 3);
            MergePort(ports, port);
        }
    }
}

}  // namespace

std::vector<PortInfo> ListPortInfos() {
    std::vector<PortInfo> ports;
    AddDevices(ports, GUID_DEVCLASS_PORTS, 0);
    AddDevices(ports, GUID_DEVINTERFACE_COMPORT, DIGCF_DEVICEINTERFACE);
    AddSerialComm(ports);
    AddDosDevices(ports);
    return ports;
}

std::vector<std::string> ListPorts() {
    std::vector<std::string> names;
    for (const PortInfo& port : ListPortInfos()) names.push_back(port.name);
    return names;
}

}  // namespace comport_backend

#endif  // _WIN32
