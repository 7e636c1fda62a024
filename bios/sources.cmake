list(APPEND ROMWISE_CORE_SOURCES
  bios/identify_bios.cpp
)
