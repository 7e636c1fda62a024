// Status, fallback and message texts of the detection run.
#pragma once

namespace romwise {

inline constexpr char kUnknown[] = "Unknown";
// The sign-on value of a BIOS without a sign-on text.
inline constexpr char kNone[] = "None";
inline constexpr char kMemoryAllocationError[] = "Memory allocation error!";
inline constexpr char kUnsupportedPlatform[] = "Romwise does not support this version of Windows!";
inline constexpr char kSearchingStatus[] = "Searching for system BIOS ID. Please wait ...";
inline constexpr char kInsufficientPrivileges[] =
    "Insufficient privileges to run this application. You must login as administrator!";
inline constexpr char kDriverLoadError[] = "Error loading TVICHW driver!";
inline constexpr char kFileErrorSaving[] = "File error saving results!";

}  // namespace romwise
