list(APPEND ROMWISE_CORE_SOURCES
  cpu/cpu_info.cpp
)
