list(APPEND ROMWISE_CORE_SOURCES
  os/os_info.cpp
  os/locale_info.cpp
)
