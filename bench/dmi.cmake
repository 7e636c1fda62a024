# SMBIOS/DMI reading: ReadDmi over every corpus dump with a 32-bit entry
# point, and a whole romwise-cli process beside a whole dmidecode process on
# the largest of them.
add_executable(romwise_dmi_bench dmi_read_bench.cpp)
target_link_libraries(romwise_dmi_bench PRIVATE romwise_cli nlohmann_json::nlohmann_json
  benchmark::benchmark)
target_compile_definitions(romwise_dmi_bench PRIVATE
  ROMWISE_CORPUS_DIR="${ROMWISE_CORPUS_DIR}"
  ROMWISE_SAMPLES_DIR="${CMAKE_SOURCE_DIR}/samples"
  ROMWISE_CLI_PATH="$<TARGET_FILE:romwise-cli>")
add_dependencies(romwise_dmi_bench romwise-cli)
