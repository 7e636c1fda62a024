# How the test programs are compiled. The code under test is built by its own
# folders with the build's optimisation and flags; the test sources, which are
# mostly GoogleTest's templates, are compiled without optimisation, which
# halves their compile time. A failing assertion names its file and line by
# itself; clang, which builds the sanitizer build, keeps line tables so that
# a sanitizer report does too, and g++ writes no debug information for them.
# Include from the folder that adds the tests, before its targets.
add_compile_options(-O0)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_compile_options(-gline-tables-only)
else()
  add_compile_options(-g0)
endif()

# Nearly every test source includes GoogleTest, and many the JSON library:
# each test program of DIR (and its subfolders) with several sources parses
# them once, as a precompiled header, instead of once per source. Building
# the header costs about three sources' parsing, so smaller programs go
# without.
function(romwise_precompile_test_headers dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(libraries ${target} LINK_LIBRARIES)
    if(NOT type STREQUAL "EXECUTABLE" OR NOT libraries)
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    list(LENGTH sources source_count)
    if(NOT libraries MATCHES "gtest" OR source_count LESS 4)
      continue()
    endif()
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
    if(libraries MATCHES "nlohmann_json")
      target_precompile_headers(${target} PRIVATE <nlohmann/json.hpp>)
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    if(subdirectory MATCHES "^${CMAKE_SOURCE_DIR}/")
      romwise_precompile_test_headers(${subdirectory})
    endif()
  endforeach()
endfunction()
