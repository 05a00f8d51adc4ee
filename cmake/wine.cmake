# Starts (ACTION=start) or stops (ACTION=stop) the Wine prefix PREFIX with
# its persistent wineserver, for the Windows test suite. The server and the
# services that wineboot starts outlive this script, so their output goes to
# a log, never to a pipe that a caller would wait on.
set(ENV{WINEPREFIX} "${PREFIX}")
set(ENV{WINEDEBUG} "-all")
# No Mono or Gecko: the suite needs neither, and a new prefix would offer to
# fetch them.
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
set(log "${PREFIX}.log")
# A server left by an earlier run that was cut short would refuse to be made
# persistent, so every start begins with a stop.
execute_process(COMMAND wineserver --kill
  INPUT_FILE /dev/null OUTPUT_FILE "${log}" ERROR_FILE "${log}")
execute_process(COMMAND wineserver --wait
  INPUT_FILE /dev/null OUTPUT_FILE "${log}" ERROR_FILE "${log}")
if(ACTION STREQUAL "start")
  file(MAKE_DIRECTORY "${PREFIX}")
  foreach(step IN ITEMS "wineserver;--persistent" "wineboot;--init")
    execute_process(COMMAND ${step}
      INPUT_FILE /dev/null OUTPUT_FILE "${log}" ERROR_FILE "${log}"
      RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${step} failed (${result}); see ${log}")
    endif()
  endforeach()
endif()
