list(APPEND ROMWISE_CORE_SOURCES
  cpu/cpu_vendor.cpp
  cpu/cpu_info.cpp
  cpu/cpu_caches.cpp
  cpu/cache_descriptors.cpp
  cpu/extended_leaf_gate.cpp
  cpu/model_tables.cpp
  cpu/clock_measurement.cpp
)
