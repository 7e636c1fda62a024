list(APPEND ROMWISE_CORE_SOURCES
  bios/identify_bios.cpp
  bios/rom_search.cpp
  bios/recogniser_chain.cpp
  bios/bios_lines.cpp
  bios/award_recogniser.cpp
  bios/mr_bios_recogniser.cpp
  bios/ami_recogniser.cpp
  bios/phoenix_recogniser.cpp
  bios/compaq_recogniser.cpp
  bios/acer_recogniser.cpp
  bios/surepath_recogniser.cpp
  bios/award_id_shortening.cpp
)
