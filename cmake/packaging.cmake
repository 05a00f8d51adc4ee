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
set(CPACK_STRIP_FILES ON)
include(CPack)
