// Status, fallback and message texts of the detection run.
#pragma once

namespace romwise {

inline constexpr char kUnknown[] = "Unknown";
inline constexpr char kSignOnNone[] = "OEM Sign-On: None";
inline constexpr char kSuperIoUnknown[] = "Superio:   Unknown";
inline constexpr char kChipsetUnknown[] = "Chipset:   Unknown";
inline constexpr char kMemoryAllocationError[] = "Memory allocation error!";
inline constexpr char kUnsupportedPlatform[] = "Romwise does not support this version of Windows!";
inline constexpr char kSearchingStatus[] = "Searching for system BIOS ID. Please wait ...";
inline constexpr char kInsufficientPrivileges[] =
    "Insufficient privileges to run this application. You must login as administrator!";
inline constexpr char kDriverLoadError[] = "Error loading TVICHW driver!";

}  // namespace romwise
