list(APPEND ROMWISE_ENCODING_SOURCES
  platform/encoding/text_encoding.cpp
)
