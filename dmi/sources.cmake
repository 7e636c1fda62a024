list(APPEND ROMWISE_CORE_SOURCES
  dmi/read_dmi.cpp
)
