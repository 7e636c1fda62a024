#include "platform/windows/windows_driver_services.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "hw/driver_opening.h"
#include "platform/windows/tvichw_library.h"
#include "platform/windows/windows_port_driver.h"
#include "platform/windows/windows_system_directories.h"
#include "platform/windows/windows_text.h"

namespace romwise {

namespace {

constexpr char kWhatToDo[] =
    "Put TVicHW32.dll and the driver file (TVICHW32.SYS; TVICHW64.SYS on 64-bit Windows; "
    "TVICHW32.vxd on Windows 9x) in the program's folder and run as administrator, or use "
    "--machine FILE.";

SC_HANDLE asServiceHandle(ServiceHandle handle) {
    return reinterpret_cast<SC_HANDLE>(handle);
}

ServiceHandle fromServiceHandle(SC_HANDLE handle) {
    return handle == nullptr ? kNoServiceHandle : reinterpret_cast<ServiceHandle>(handle);
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += text.empty() ? "" : separator;
        text += part;
    }
    return text;
}

}  // namespace

WindowsDriverServices::WindowsDriverServices()
    : WindowsDriverServices(TvicLibrary::defaultSearchFolders()) {}

WindowsDriverServices::WindowsDriverServices(std::vector<std::string> librarySearchFolders)
    : librarySearchFolders_(std::move(librarySearchFolders)) {}

std::uint32_t WindowsDriverServices::takeLastError() {
    lastError_ = GetLastError();
    return lastError_;
}

void WindowsDriverServices::note(std::string text) {
    if (std::find(notes_.begin(), notes_.end(), text) == notes_.end()) {
        notes_.push_back(std::move(text));
    }
}

DeviceHandle WindowsDriverServices::openDevice(std::string_view path,
                                               const DeviceOpenParameters& parameters) {
    const std::string name(path);
    const HANDLE device =
        CreateFileA(name.c_str(), parameters.access, parameters.shareMode, nullptr,
                    parameters.creationDisposition, parameters.flagsAndAttributes, nullptr);
    if (device == INVALID_HANDLE_VALUE) {
        failedOpens_.push_back({name, takeLastError()});
        return kNoDevice;
    }
    return reinterpret_cast<DeviceHandle>(device);
}

void WindowsDriverServices::closeDevice(DeviceHandle device) {
    if (device != kNoDevice) {
        CloseHandle(reinterpret_cast<HANDLE>(device));
    }
}

std::unique_ptr<HardwareDriver> WindowsDriverServices::deviceDriver(const DriverRecord& record) {
    if (record.deviceHandle == kNoDevice) {
        return nullptr;
    }
    std::string problem;
    std::unique_ptr<TvicLibrary> library = TvicLibrary::load(librarySearchFolders_, problem);
    if (!library) {
        note(problem + "; without it the driver cannot be used");
    }
    return std::make_unique<WindowsPortDriver>(record, std::move(library));
}

std::string WindowsDriverServices::systemDirectory() {
    return romwise::systemDirectory();
}

std::optional<std::string> WindowsDriverServices::wow64SystemDirectory() {
    return systemWow64Directory();
}

FileSearchHandle WindowsDriverServices::findFirstFile(std::string_view path) {
    const std::string name(path);
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(name.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        takeLastError();
        return kNoFileSearch;
    }
    return reinterpret_cast<FileSearchHandle>(search);
}

void WindowsDriverServices::findClose(FileSearchHandle search) {
    if (search != kNoFileSearch) {
        FindClose(reinterpret_cast<HANDLE>(search));
    }
}

bool WindowsDriverServices::copyFile(std::string_view source, std::string_view target,
                                     bool failIfExists) {
    const std::string from(source);
    const std::string to(target);
    if (CopyFileA(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE)) {
        return true;
    }
    const std::uint32_t error = takeLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        note(from + " is missing, so nothing was copied to " + to);
    } else {
        note("copying " + from + " to " + to + " failed (" + systemErrorText(error) + ")");
    }
    return false;
}

ServiceHandle WindowsDriverServices::openServiceManager(std::uint32_t desiredAccess) {
    const SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, desiredAccess);
    if (manager == nullptr) {
        note("the service control manager refused access (" + systemErrorText(takeLastError()) +
             ")");
    }
    return fromServiceHandle(manager);
}

ServiceHandle WindowsDriverServices::openService(ServiceHandle manager,
                                                 std::string_view serviceName,
                                                 std::uint32_t desiredAccess) {
    const std::string name(serviceName);
    const SC_HANDLE service = OpenServiceA(asServiceHandle(manager), name.c_str(), desiredAccess);
    if (service == nullptr) {
        // A service that does not exist yet is installed next; nothing to say.
        if (takeLastError() != ERROR_SERVICE_DOES_NOT_EXIST) {
            note("the " + name + " service could not be opened (" + systemErrorText(lastError_) +
                 ")");
        }
        return kNoServiceHandle;
    }
    const ServiceHandle handle = fromServiceHandle(service);
    serviceNames_[handle] = name;
    return handle;
}

bool WindowsDriverServices::startService(ServiceHandle service) {
    if (StartServiceA(asServiceHandle(service), 0, nullptr)) {
        lastError_ = ERROR_SUCCESS;
        return true;
    }
    const std::uint32_t error = takeLastError();
    if (error != kErrorServiceAlreadyRunning) {
        const auto name = serviceNames_.find(service);
        note("the " + (name != serviceNames_.end() ? name->second : std::string("driver")) +
             " service did not start (" + systemErrorText(error) + ")");
    }
    return false;
}

ServiceHandle WindowsDriverServices::createService(ServiceHandle manager,
                                                   const ServiceDefinition& definition) {
    // No load order group, tag, dependencies, account or password.
    const SC_HANDLE service =
        CreateServiceA(asServiceHandle(manager), definition.serviceName.c_str(),
                       definition.displayName.c_str(), definition.desiredAccess,
                       definition.serviceType, definition.startType, definition.errorControl,
                       definition.binaryPath.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    if (service == nullptr) {
        if (takeLastError() != kErrorServiceExists) {
            note("registering the " + definition.serviceName + " service failed (" +
                 systemErrorText(lastError_) + ")");
        }
        return kNoServiceHandle;
    }
    return fromServiceHandle(service);
}

void WindowsDriverServices::closeServiceHandle(ServiceHandle handle) {
    if (handle != kNoServiceHandle) {
        serviceNames_.erase(handle);
        CloseServiceHandle(asServiceHandle(handle));
    }
}

std::string WindowsDriverServices::failureNotes() const {
    if (failedOpens_.empty() && notes_.empty()) {
        return {};
    }
    std::vector<std::string> parts;
    // The device paths tried, grouped by the system's answer.
    std::vector<std::pair<std::uint32_t, std::vector<std::string>>> byError;
    for (const FailedOpen& open : failedOpens_) {
        auto group = std::find_if(byError.begin(), byError.end(),
                                  [&](const auto& entry) { return entry.first == open.error; });
        if (group == byError.end()) {
            byError.push_back({open.error, {}});
            group = std::prev(byError.end());
        }
        if (std::find(group->second.begin(), group->second.end(), open.path) ==
            group->second.end()) {
            group->second.push_back(open.path);
        }
    }
    for (const auto& [error, paths] : byError) {
        parts.push_back("could not open " + joined(paths, ", ") + " (" + systemErrorText(error) +
                        ")");
    }
    parts.insert(parts.end(), notes_.begin(), notes_.end());
    if (failedOpens_.empty()) {
        // The device opened; the notes say why it cannot be used.
        return joined(parts, "; ") + ". " + kWhatToDo;
    }
    const std::optional<std::string> library = TvicLibrary::locate(librarySearchFolders_);
    parts.push_back(library ? std::string(TvicLibrary::kFileName) + " is at " + *library
                            : std::string(TvicLibrary::kFileName) + " was not found (" +
                                  describeSearchFolders(librarySearchFolders_) + ")");
    return "the TVicHW32 driver is not available: " + joined(parts, "; ") + ". " + kWhatToDo;
}

void WindowsDriverServices::clearFailureNotes() {
    failedOpens_.clear();
    notes_.clear();
}

}  // namespace romwise
