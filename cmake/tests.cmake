# The test suite. It drives the program through POSIX calls, so it is always
# built for this machine; a cross build has it built for this machine as a
# project of its own, pointed at the cross-built program and its emulator.

if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(suite_dir ${CMAKE_BINARY_DIR}/suite)
  set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)

  # Holds KARV.exe open as the running game does, for the case of a target
  # in use. For the tests only: it is never installed.
  add_executable(hold_target src/hold_target.cc)
  target_link_options(hold_target PRIVATE -static)

  ExternalProject_Add(suite
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${suite_dir}
    CMAKE_ARGS
      -DCMAKE_BUILD_TYPE=Release
      -DFIX_NPCS_TEST_PROGRAM=$<TARGET_FILE:fix_npcs>
      -DFIX_NPCS_TEST_HOLDER=$<TARGET_FILE:hold_target>
      -DFIX_NPCS_TEST_EMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}
      -DFIX_NPCS_TEST_WINE_PREFIX=${wine_prefix}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    DEPENDS fix_npcs hold_target)
  set_property(DIRECTORY APPEND PROPERTY
    TEST_INCLUDE_FILES ${suite_dir}/fix_npcs_test[1]_include.cmake)

  # One Wine prefix and one persistent wineserver for the whole suite: each
  # run then takes a fraction of a second instead of seconds.
  add_test(NAME wine.start COMMAND ${CMAKE_COMMAND}
    -DPREFIX=${wine_prefix} -DACTION=start -P ${CMAKE_SOURCE_DIR}/cmake/wine.cmake)
  add_test(NAME wine.stop COMMAND ${CMAKE_COMMAND}
    -DPREFIX=${wine_prefix} -DACTION=stop -P ${CMAKE_SOURCE_DIR}/cmake/wine.cmake)
  add_test(NAME windows.linkage COMMAND ${CMAKE_COMMAND}
    -DKIND=windows -DPROGRAM=$<TARGET_FILE:fix_npcs> -DOBJDUMP=${CMAKE_OBJDUMP}
    -P ${CMAKE_SOURCE_DIR}/cmake/check_linkage.cmake)
  add_test(NAME windows.version COMMAND ${CMAKE_COMMAND}
    -DPROGRAM=$<TARGET_FILE:fix_npcs> -DRC=${CMAKE_RC_COMPILER}
    -DVERSION=${PROJECT_VERSION}
    -P ${CMAKE_SOURCE_DIR}/cmake/check_version.cmake)
  set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
  return()
endif()

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  message(STATUS "The test suite stages its failures with Linux calls: "
                 "not built on ${CMAKE_SYSTEM_NAME}")
  return()
endif()

set(FIX_NPCS_TEST_PROGRAM "$<TARGET_FILE:fix_npcs>" CACHE STRING
  "The program the suite runs")
set(FIX_NPCS_TEST_EMULATOR "" CACHE STRING
  "The command that runs the program, if it is not native")
set(FIX_NPCS_TEST_WINE_PREFIX "" CACHE PATH
  "The Wine prefix the program runs in, when the emulator is Wine")
set(FIX_NPCS_TEST_HOLDER "" CACHE STRING
  "The Windows helper that holds the target open, when the emulator is Wine")

find_package(GTest REQUIRED)
add_executable(fix_npcs_test
  src/patch_test.cc
  src/scan_test.cc
  src/fix_npcs_test.cc)
target_link_libraries(fix_npcs_test PRIVATE
  fix_npcs_core GTest::gtest GTest::gtest_main)
target_compile_definitions(fix_npcs_test PRIVATE
  "FIX_NPCS_TEST_PROGRAM=\"${FIX_NPCS_TEST_PROGRAM}\""
  "FIX_NPCS_TEST_EMULATOR=\"${FIX_NPCS_TEST_EMULATOR}\""
  "FIX_NPCS_TEST_WINE_PREFIX=\"${FIX_NPCS_TEST_WINE_PREFIX}\""
  "FIX_NPCS_TEST_HOLDER=\"${FIX_NPCS_TEST_HOLDER}\"")
add_dependencies(fix_npcs_test fix_npcs)

if(FIX_NPCS_STATIC AND FIX_NPCS_TEST_EMULATOR STREQUAL "")
  add_test(NAME linkage COMMAND ${CMAKE_COMMAND}
    -DKIND=linux -DPROGRAM=$<TARGET_FILE:fix_npcs>
    -P ${CMAKE_SOURCE_DIR}/cmake/check_linkage.cmake)
endif()

include(GoogleTest)
if(FIX_NPCS_TEST_EMULATOR STREQUAL "")
  gtest_discover_tests(fix_npcs_test DISCOVERY_TIMEOUT 60)
else()
  gtest_discover_tests(fix_npcs_test DISCOVERY_TIMEOUT 60
    TEST_PREFIX "windows."
    PROPERTIES FIXTURES_REQUIRED wine)
endif()
