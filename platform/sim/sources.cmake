list(APPEND ROMWISE_SIM_SOURCES
  platform/sim/profile_loader.cpp
  platform/sim/profile_fields.cpp
  platform/sim/smbios_dump_placement.cpp
  platform/sim/cpuid_dump_parser.cpp
  platform/sim/sim_port_space.cpp
  platform/sim/sim_devices.cpp
  platform/sim/sim_driver_services.cpp
  platform/sim/sim_platform.cpp
)
