// The outside hardware-access package's DLL, TVicHW32.dll: the driver's
// activity check (GetActiveHW) and its mapping of physical memory
// (MapPhysToLinear). The program never ships the DLL; the user puts it in
// the program's folder. It is loaded at run time, so that the program starts
// (and says what is missing) without it.
//
// Calling convention: all we know of the two functions is their names,
// arguments and results. We take them to be __stdcall (WINAPI), the
// convention of Windows' own DLL interfaces and of the Win32 API the package
// wraps. That is an assumption, not something the package told us; it
// matters only for the 32-bit program (x86-64 has one convention). The names
// are looked up as given, undecorated.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/tvichw_record.h"

namespace romwise {

class TvicLibrary {
  public:
    static constexpr const char* kFileName = "TVicHW32.dll";
    static constexpr const char* kActivityCheck = "GetActiveHW";
    static constexpr const char* kMapPhysical = "MapPhysToLinear";

    // Where the DLL is looked for, in this order: the program's folder, then
    // the system folder. Never the current folder or PATH, where anyone could
    // put a DLL of that name.
    static std::vector<std::string> defaultSearchFolders();

    // The DLL's full path in the first of `folders` (each ending in a
    // separator or not) that holds it; nothing when none does.
    static std::optional<std::string> locate(const std::vector<std::string>& folders);

    // Loads the DLL from the first of `folders` that holds it and looks both
    // functions up. nullptr when it is not there, does not load, or lacks a
    // function; `problem` then says which, and where the DLL was looked for.
    static std::unique_ptr<TvicLibrary> load(const std::vector<std::string>& folders,
                                             std::string& problem);

    ~TvicLibrary();
    TvicLibrary(const TvicLibrary&) = delete;
    TvicLibrary& operator=(const TvicLibrary&) = delete;

    // The activity check: true when GetActiveHW answers nonzero.
    bool isActive(TvicDriverRecord& record) const;
    // A readable view of the range, or nullptr (the library answered 0).
    const std::uint8_t* mapPhysToLinear(TvicDriverRecord& record, std::uint32_t physicalAddress,
                                        std::uint32_t length) const;

    const std::string& path() const { return path_; }

  private:
    using GetActiveHWFunction = BOOL(WINAPI*)(TvicDriverRecord* record);
    using MapPhysToLinearFunction = void*(WINAPI*)(TvicDriverRecord* record, DWORD physicalAddress,
                                                   DWORD length);

    TvicLibrary(HMODULE module, std::string path, GetActiveHWFunction getActive,
                MapPhysToLinearFunction mapPhysical)
        : module_(module),
          path_(std::move(path)),
          getActive_(getActive),
          mapPhysical_(mapPhysical) {}

    HMODULE module_;
    std::string path_;
    GetActiveHWFunction getActive_;
    MapPhysToLinearFunction mapPhysical_;
};

// "looked in A and B" for the folders searched, for a user's reason line.
std::string describeSearchFolders(const std::vector<std::string>& folders);

}  // namespace romwise
