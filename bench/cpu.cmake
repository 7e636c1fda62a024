# Processor identification: identifyProcessor over every real CPUID dump of
# the corpus on the simulated processor, and on this machine's processor the
# guarded identification instruction, the bit-scan loop and a whole
# identification with its clock measurement.
add_executable(romwise_cpu_bench cpu_identify_bench.cpp)
target_link_libraries(romwise_cpu_bench PRIVATE romwise_platform_sim romwise_platform_linux benchmark::benchmark)
target_compile_definitions(romwise_cpu_bench PRIVATE
  ROMWISE_CORPUS_DIR="${ROMWISE_CORPUS_DIR}")
