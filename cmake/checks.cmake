# Checks that read the sources without building them: `format-check` fails
# on a source that clang-format would change, `cppcheck` on any finding.
# (clang-tidy runs in the tidy preset, as part of the build.)

file(GLOB checked_sources CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/*.cc ${CMAKE_SOURCE_DIR}/demo/*.cc
  ${CMAKE_SOURCE_DIR}/bench/*.cc ${CMAKE_SOURCE_DIR}/fuzz/*.cc)
file(GLOB checked_headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.h)

find_program(FIX_NPCS_CLANG_FORMAT NAMES clang-format clang-format-14)
if(FIX_NPCS_CLANG_FORMAT)
  add_custom_target(format-check
    COMMAND ${FIX_NPCS_CLANG_FORMAT} --dry-run -Werror
      ${checked_sources} ${checked_headers}
    VERBATIM)
endif()

find_program(FIX_NPCS_CPPCHECK cppcheck)
if(FIX_NPCS_CPPCHECK)
  # Headers are checked through the sources that include them. The test
  # settings, which the build defines, get stand-in values. useStlAlgorithm
  # is off: a plain loop that appends reads better here than std::transform
  # with a back_inserter.
  add_custom_target(cppcheck
    COMMAND ${FIX_NPCS_CPPCHECK} --language=c++ --std=c++17 --quiet
      --error-exitcode=1
      --enable=warning,style,performance,portability --inline-suppr
      --library=googletest --library=posix --suppress=useStlAlgorithm
      [=[-DFIX_NPCS_TEST_PROGRAM="fix_npcs"]=]
      [=[-DFIX_NPCS_TEST_EMULATOR=""]=]
      [=[-DFIX_NPCS_TEST_WINE_PREFIX=""]=]
      [=[-DFIX_NPCS_TEST_HOLDER=""]=]
      -I ${CMAKE_SOURCE_DIR}/src ${checked_sources}
    VERBATIM)
endif()
