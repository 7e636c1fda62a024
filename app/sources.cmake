list(APPEND ROMWISE_CORE_SOURCES
  app/fixed_text.cpp
  app/detection_results.cpp
  app/detection_run.cpp
  app/main_controller.cpp
  app/standard_detectors.cpp
)
list(APPEND ROMWISE_CLI_SOURCES
  app/cli_options.cpp
  app/cli_view.cpp
  app/json_document.cpp
  app/cli_program.cpp
)
