list(APPEND ROMWISE_CORE_SOURCES
  hw/port_io.cpp
  hw/pci_config_access.cpp
  hw/port_trace.cpp
  hw/driver_opening.cpp
  hw/service_driver_host.cpp
)
