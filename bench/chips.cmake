# Chipset and Super I/O probing on the simulated port space: requests per
# second through PortIo and mechanism #1, and the wall time of the chain on an
# empty machine, on the default board and in its longest branch.
add_executable(romwise_chips_bench chips_bench.cpp)
target_link_libraries(romwise_chips_bench PRIVATE romwise_platform_sim benchmark::benchmark)
