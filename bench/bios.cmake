# BIOS identification: IdentifyBios over every real ROM window of the corpus
# (one benchmark each) and over crafted windows where no recogniser matches.
add_executable(romwise_bios_bench bios_identify_bench.cpp)
target_link_libraries(romwise_bios_bench PRIVATE romwise_app benchmark::benchmark)
target_compile_definitions(romwise_bios_bench PRIVATE
  ROMWISE_CORPUS_DIR="${ROMWISE_CORPUS_DIR}")
