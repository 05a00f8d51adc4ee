# Makes a sample KARV.exe in DIR and runs PROGRAM there twice: the first run
# applies the patch, the second finds nothing left to do.
file(REMOVE_RECURSE "${DIR}")
file(MAKE_DIRECTORY "${DIR}")
execute_process(COMMAND "${MAKE_SAMPLE}" "${DIR}/KARV.exe"
  COMMAND_ERROR_IS_FATAL ANY)
foreach(run IN ITEMS "First" "Second")
  message(STATUS "${run} run of fix_npcs in ${DIR}:")
  execute_process(COMMAND "${PROGRAM}" WORKING_DIRECTORY "${DIR}"
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
