# Starts (ACTION=start) or stops (ACTION=stop) the two Wine prefixes of the
# Windows test suite, each with its persistent wineserver: PREFIX, for the
# runs as root, and one of nobody's own, for the runs that drop privileges.
# Wine runs only as the owner of its prefix, and nobody may be unable to
# reach the build folder, so nobody's prefix and HOME sit in a fresh folder
# under the system's temporary folder; the start writes that folder's path
# to PREFIX.nobody, where the suite reads it and the stop finds it.
#
# The servers and the services that wineboot starts outlive this script, so
# their output goes to a log, never to a pipe that a caller would wait on.
set(ENV{WINEDEBUG} "-all")
# No Mono or Gecko: the suite needs neither, and a new prefix would offer to
# fetch them.
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
set(log "${PREFIX}.log")
set(nobody_record "${PREFIX}.nobody")
set(as_nobody setpriv --reuid=65534 --regid=65534 --clear-groups --)

include("${CMAKE_CURRENT_LIST_DIR}/run_checked.cmake")

# Stops the wineserver of the prefix in WINEPREFIX, run by ARGN (a prefix of
# the command, to run it as another user), if one runs. A server that is not
# there is no error.
function(stop_server)
  execute_process(COMMAND ${ARGN} wineserver --kill
    INPUT_FILE /dev/null OUTPUT_FILE "${log}" ERROR_FILE "${log}")
  execute_process(COMMAND ${ARGN} wineserver --wait
    INPUT_FILE /dev/null OUTPUT_FILE "${log}" ERROR_FILE "${log}")
endfunction()

# A server left by an earlier run that was cut short would refuse to be made
# persistent, so every start begins with a stop.
set(ENV{WINEPREFIX} "${PREFIX}")
stop_server()
if(EXISTS "${nobody_record}")
  file(READ "${nobody_record}" nobody_folder)
  if(IS_DIRECTORY "${nobody_folder}")
    set(ENV{WINEPREFIX} "${nobody_folder}/prefix")
    set(ENV{HOME} "${nobody_folder}/home")
    stop_server(${as_nobody})
    file(REMOVE_RECURSE "${nobody_folder}")
  endif()
  file(REMOVE "${nobody_record}")
endif()

if(ACTION STREQUAL "start")
  set(ENV{WINEPREFIX} "${PREFIX}")
  file(MAKE_DIRECTORY "${PREFIX}")
  run_checked(wineserver --persistent LOG "${log}")
  run_checked(wineboot --init LOG "${log}")

  make_temporary_folder(nobody_folder fix_npcs_wine)
  file(WRITE "${nobody_record}" "${nobody_folder}")
  file(MAKE_DIRECTORY "${nobody_folder}/prefix" "${nobody_folder}/home")
  run_checked(chown -R 65534:65534 "${nobody_folder}" LOG "${log}")
  set(ENV{WINEPREFIX} "${nobody_folder}/prefix")
  set(ENV{HOME} "${nobody_folder}/home")
  run_checked(${as_nobody} wineserver --persistent LOG "${log}")
  run_checked(${as_nobody} wineboot --init LOG "${log}")
endif()
