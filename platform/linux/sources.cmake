list(APPEND ROMWISE_LINUX_SOURCES
  platform/linux/linux_os_services.cpp
  platform/linux/linux_platform.cpp
  platform/linux/linux_hardware.cpp
)
