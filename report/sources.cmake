# Product configuration: the maker's web host and support texts, set at build
# time. An empty report web host line means "the web host name itself".
set(ROMWISE_MAKER_WEB_HOST "www.quorvel.com" CACHE STRING
  "Host name of the maker's web server in the upgrade, web-site and FAQ addresses")
set(ROMWISE_SUPPORT_TELEPHONE "Support: +1 (512) 555-0142" CACHE STRING
  "Support telephone line of the text and printed reports")
set(ROMWISE_REPORT_WEB_HOST_LINE "" CACHE STRING
  "Last line of the text and printed reports (empty: the web host name)")
if(NOT ROMWISE_MAKER_WEB_HOST MATCHES "^[A-Za-z0-9.-]+(:[0-9]+)?$")
  message(FATAL_ERROR "ROMWISE_MAKER_WEB_HOST must be a plain host name, optionally with :port, "
    "not \"${ROMWISE_MAKER_WEB_HOST}\"")
endif()
foreach(text ROMWISE_SUPPORT_TELEPHONE ROMWISE_REPORT_WEB_HOST_LINE)
  if("${${text}}" MATCHES "[\"\\\\\r\n]")
    message(FATAL_ERROR "${text} may not hold quotes, backslashes or line breaks")
  endif()
endforeach()
set(romwise_product_definitions
  "ROMWISE_MAKER_WEB_HOST=\"${ROMWISE_MAKER_WEB_HOST}\""
  "ROMWISE_SUPPORT_TELEPHONE=\"${ROMWISE_SUPPORT_TELEPHONE}\"")
if(NOT ROMWISE_REPORT_WEB_HOST_LINE STREQUAL "")
  list(APPEND romwise_product_definitions
    "ROMWISE_REPORT_WEB_HOST_LINE=\"${ROMWISE_REPORT_WEB_HOST_LINE}\"")
endif()
set_source_files_properties(report/product_config.cpp PROPERTIES
  COMPILE_DEFINITIONS "${romwise_product_definitions}")

list(APPEND ROMWISE_CORE_SOURCES
  report/product_config.cpp
  report/report_lines.cpp
  report/text_report.cpp
  report/printed_report.cpp
  report/report_save.cpp
  report/url_encoding.cpp
  report/upgrade_request.cpp
)
