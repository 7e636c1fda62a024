# Reports and the upgrade request: the text report, the printed lines and
# both request addresses for a full record.
add_executable(romwise_report_bench report_bench.cpp)
target_link_libraries(romwise_report_bench PRIVATE romwise_app benchmark::benchmark)
