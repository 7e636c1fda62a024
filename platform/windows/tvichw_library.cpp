#include "platform/windows/tvichw_library.h"

#include "platform/windows/module_functions.h"
#include "platform/windows/windows_system_directories.h"
#include "platform/windows/windows_text.h"

namespace romwise {

namespace {

std::string inFolder(const std::string& folder, const char* fileName) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') {
        return folder + fileName;
    }
    return folder + "\\" + fileName;
}

bool isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::vector<std::string> TvicLibrary::defaultSearchFolders() {
    std::vector<std::string> folders;
    for (std::string folder : {programFolder(), systemDirectory()}) {
        if (!folder.empty()) {
            folders.push_back(std::move(folder));
        }
    }
    return folders;
}

std::optional<std::string> TvicLibrary::locate(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        std::string path = inFolder(folder, kFileName);
        if (isFile(path)) {
            return path;
        }
    }
    return std::nullopt;
}

std::unique_ptr<TvicLibrary> TvicLibrary::load(const std::vector<std::string>& folders,
                                               std::string& problem) {
    const std::optional<std::string> path = locate(folders);
    if (!path) {
        problem =
            std::string(kFileName) + " was not found (" + describeSearchFolders(folders) + ")";
        return nullptr;
    }
    // The full path: the library is loaded from where it was found and from
    // nowhere else.
    const HMODULE module = LoadLibraryA(path->c_str());
    if (module == nullptr) {
        problem = std::string(kFileName) + " at " + *path +
                  " could not be loaded: " + systemErrorText(GetLastError());
        return nullptr;
    }
    const auto getActive = moduleFunction<GetActiveHWFunction>(module, kActivityCheck);
    const auto mapPhysical = moduleFunction<MapPhysToLinearFunction>(module, kMapPhysical);
    if (getActive == nullptr || mapPhysical == nullptr) {
        problem = std::string(kFileName) + " at " + *path + " has no " +
                  (getActive == nullptr ? kActivityCheck : kMapPhysical) + " function";
        FreeLibrary(module);
        return nullptr;
    }
    return std::unique_ptr<TvicLibrary>(new TvicLibrary(module, *path, getActive, mapPhysical));
}

TvicLibrary::~TvicLibrary() {
    FreeLibrary(module_);
}

bool TvicLibrary::isActive(TvicDriverRecord& record) const {
    return getActive_(&record) != 0;
}

const std::uint8_t* TvicLibrary::mapPhysToLinear(TvicDriverRecord& record,
                                                 std::uint32_t physicalAddress,
                                                 std::uint32_t length) const {
    return static_cast<const std::uint8_t*>(mapPhysical_(&record, physicalAddress, length));
}

std::string describeSearchFolders(const std::vector<std::string>& folders) {
    if (folders.empty()) {
        return "no folder to look in";
    }
    std::string text = "looked in ";
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0) {
            text += i + 1 == folders.size() ? " and " : ", ";
        }
        text += folders[i];
    }
    return text;
}

}  // namespace romwise
