list(APPEND ROMWISE_CORE_SOURCES
  dmi/dmi_reader.cpp
  dmi/entry_point.cpp
  dmi/structure_walk.cpp
  dmi/scratch_copy.cpp
  dmi/processor_families.cpp
  dmi/extract_bios.cpp
  dmi/extract_board.cpp
  dmi/extract_processor.cpp
  dmi/extract_memory.cpp
  dmi/read_dmi.cpp
)
