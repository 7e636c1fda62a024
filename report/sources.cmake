list(APPEND ROMWISE_CORE_SOURCES
  report/upgrade_request.cpp
  report/text_report.cpp
)
