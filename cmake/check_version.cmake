# Fails unless the version resource of the built PROGRAM, read back from the
# .exe with RC (the toolchain's windres), names the product and carries
# VERSION (major.minor.patch) in both its numbers and its strings.
execute_process(COMMAND "${RC}" --input "${PROGRAM}" --input-format coff
    --output-format rc
  OUTPUT_VARIABLE resources ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${RC} could not read the resources of ${PROGRAM}: ${errors}")
endif()

string(REPLACE "." ", " numbers "${VERSION}")
set(expected
  "FILEVERSION ${numbers}, 0"
  "PRODUCTVERSION ${numbers}, 0"
  "VALUE \"FileVersion\", \"${VERSION}\""
  "VALUE \"ProductVersion\", \"${VERSION}\""
  "VALUE \"ProductName\", \"fix_npcs\""
  "VALUE \"OriginalFilename\", \"fix_npcs.exe\""
  "VALUE \"FileDescription\", \"")
foreach(line IN LISTS expected)
  string(FIND "${resources}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the version resource of ${PROGRAM} lacks ${line}:\n${resources}")
  endif()
endforeach()
message(STATUS "version resource: ${VERSION}")
