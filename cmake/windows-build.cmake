# The parts of the build that only the Windows (MinGW-w64) build needs,
# included from the top-level CMakeLists.txt before the folders.

# nlohmann-json is header-only: the cross compiler sees Debian's copy through
# a directory of its own that holds nothing but a link to it, so that no
# other host header can shadow the MinGW ones.
set(ROMWISE_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
if(NOT EXISTS /usr/include/nlohmann/json.hpp)
  message(FATAL_ERROR "nlohmann-json is missing: run scripts/bootstrap.sh")
endif()
file(MAKE_DIRECTORY ${ROMWISE_HOST_HEADERS})
file(CREATE_LINK /usr/include/nlohmann ${ROMWISE_HOST_HEADERS}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${ROMWISE_HOST_HEADERS})

# The application manifest (true Windows version, no file virtualisation)
# goes into the command-line program.
enable_language(RC)
set(ROMWISE_CLI_PROGRAM_RESOURCES ${CMAKE_CURRENT_SOURCE_DIR}/platform/windows/romwise-cli.rc)
