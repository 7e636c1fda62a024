list(APPEND ROMWISE_CORE_SOURCES
  chips/skip_ports.cpp
  chips/chipset_detector.cpp
  chips/config_ports.cpp
  chips/superio_line.cpp
  chips/probe_umc_ite.cpp
  chips/probe_south_bridge.cpp
  chips/probe_winbond.cpp
  chips/probe_smc.cpp
  chips/probe_nsc.cpp
  chips/probe_lgs.cpp
  chips/probe_ali.cpp
  chips/probe_hmc.cpp
  chips/probe_intel82091.cpp
  chips/superio_detector.cpp
)
