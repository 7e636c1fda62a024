list(APPEND ROMWISE_LINUX_SOURCES
  platform/linux/linux_os_services.cpp
  platform/linux/linux_platform.cpp
  platform/linux/linux_shell.cpp
  platform/linux/linux_report_files.cpp
  platform/linux/linux_hardware.cpp
  platform/linux/linux_locale.cpp
  platform/linux/linux_physical_memory.cpp
  platform/linux/linux_rom_mappings.cpp
  platform/linux/linux_processor_access.cpp
  platform/linux/linux_pci_config.cpp
  platform/linux/linux_native.cpp
)
