# This computer on Windows: the TVicHW32 driver and its DLL, the physical
# memory section, the operating system, the processor, the shell and report
# files.
list(APPEND ROMWISE_WINDOWS_SOURCES
  platform/windows/windows_text.cpp
  platform/windows/windows_system_directories.cpp
  platform/windows/tvichw_record.cpp
  platform/windows/tvichw_library.cpp
  platform/windows/windows_port_driver.cpp
  platform/windows/windows_driver_services.cpp
  platform/windows/windows_physical_memory.cpp
  platform/windows/windows_os_services.cpp
  platform/windows/windows_fault_guard.cpp
  platform/windows/windows_processor_access.cpp
  platform/windows/windows_shell.cpp
  platform/windows/windows_report_files.cpp
  platform/windows/windows_platform.cpp
  platform/windows/windows_native.cpp
)
