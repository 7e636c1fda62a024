# Windows-1252 and UTF-8: through the C library's iconv, or on Windows (where
# MinGW has no iconv) through the system's code-page conversions.
if(WIN32)
  list(APPEND ROMWISE_ENCODING_SOURCES platform/encoding/text_encoding_windows.cpp)
else()
  list(APPEND ROMWISE_ENCODING_SOURCES platform/encoding/text_encoding.cpp)
endif()
