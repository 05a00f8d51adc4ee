# Installation and the release archives: fix_npcs-<version>-win64.zip from
# the Windows build, fix_npcs-<version>-Linux.tar.gz from the Linux one.

if(WIN32)
  # The zip holds the program and a README at its top, for players who
  # unpack it straight into the game's folder.
  install(TARGETS fix_npcs RUNTIME DESTINATION .)
  configure_file(packaging/README.txt.in README.txt NEWLINE_STYLE CRLF @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  install(TARGETS fix_npcs RUNTIME DESTINATION bin)
  install(FILES README.md DESTINATION share/doc/fix_npcs)
  set(CPACK_GENERATOR TGZ)
  set(CPACK_SYSTEM_NAME Linux)
endif()

set(CPACK_PACKAGE_NAME fix_npcs)
set(CPACK_PACKAGE_VENDOR "fix_npcs")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Patches Karvossa so that the Qelari walk the streets of Orvelle again")
set(CPACK_PACKAGE_FILE_NAME
  "${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The Windows program comes stripped from the linker (see CMakeLists.txt).
if(NOT MINGW)
  set(CPACK_STRIP_FILES ON)
endif()

# The same commit gives the same archive, and each archive comes with its
# SHA-256 sum in the format `sha256sum -c` reads.
set(CPACK_FIX_NPCS_SOURCE_DIR "${CMAKE_SOURCE_DIR}")
# The date of the entries when the source is not a git checkout and
# SOURCE_DATE_EPOCH is not set: a fixed one, 2026-12-11 00:00 UTC.
set(CPACK_FIX_NPCS_FALLBACK_DATE 1796947200)
set(CPACK_POST_BUILD_SCRIPTS
  "${CMAKE_SOURCE_DIR}/cmake/reproducible_archives.cmake")
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
