list(APPEND ROMWISE_CORE_SOURCES
  chips/chipset_detector.cpp
  chips/superio_detector.cpp
)
