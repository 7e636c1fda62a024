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
# test programs parse them once, as a precompiled header, instead of once per
# source.
#
# romwise_precompile_test_headers: each test program of DIR (and its
# subfolders) with several sources gets a header of its own. Building one
# costs about three sources' parsing, so smaller programs go without.
function(romwise_precompile_test_headers dir)
  romwise_test_programs(${dir} targets)
  foreach(target IN LISTS targets)
    get_target_property(sources ${target} SOURCES)
    list(LENGTH sources source_count)
    if(source_count GREATER_EQUAL 4)
      romwise_own_test_header(${target})
    endif()
  endforeach()
endfunction()

# romwise_share_test_header: one header, built once, serves every test
# program of DIR (and its subfolders): they are compiled with the same flags,
# and the paths they define do not reach these headers. Programs compiled
# with Qt's flags get one of their own.
function(romwise_share_test_header dir)
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/shared_test_header.cpp CONTENT "")
  add_library(romwise_shared_test_header OBJECT ${CMAKE_CURRENT_BINARY_DIR}/shared_test_header.cpp)
  target_link_libraries(romwise_shared_test_header PRIVATE GTest::gtest nlohmann_json::nlohmann_json)
  target_precompile_headers(romwise_shared_test_header PRIVATE <gtest/gtest.h> <nlohmann/json.hpp>)
  romwise_test_programs(${dir} targets)
  foreach(target IN LISTS targets)
    get_target_property(libraries ${target} LINK_LIBRARIES)
    if(libraries MATCHES "Qt6::|romwise_ui")
      romwise_own_test_header(${target})
    else()
      target_precompile_headers(${target} REUSE_FROM romwise_shared_test_header)
    endif()
  endforeach()
endfunction()

function(romwise_own_test_header target)
  get_target_property(libraries ${target} LINK_LIBRARIES)
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
  if(libraries MATCHES "nlohmann_json")
    target_precompile_headers(${target} PRIVATE <nlohmann/json.hpp>)
  endif()
endfunction()

# The executables of DIR and its subfolders (of this source tree) that link
# GoogleTest, into OUT.
function(romwise_test_programs dir out)
  set(found "")
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(libraries ${target} LINK_LIBRARIES)
    if(type STREQUAL "EXECUTABLE" AND libraries MATCHES "gtest")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    if(subdirectory MATCHES "^${CMAKE_SOURCE_DIR}/")
      romwise_test_programs(${subdirectory} below)
      list(APPEND found ${below})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
