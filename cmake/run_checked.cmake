# Helpers for the build's scripts (cmake -P, and CPack's), which run other
# programs and must stop at the first that fails.

# run_checked(COMMAND_AND_ARGS... [IN folder] [LOG file]): runs the command
# with no input, in `folder` when given, with its output in `file` when
# given; fails the script, naming the command and showing its log, when the
# command fails.
function(run_checked)
  cmake_parse_arguments(run "" "IN;LOG" "" ${ARGN})
  set(where)
  if(run_IN)
    list(APPEND where WORKING_DIRECTORY "${run_IN}")
  endif()
  if(run_LOG)
    list(APPEND where OUTPUT_FILE "${run_LOG}" ERROR_FILE "${run_LOG}")
  endif()
  execute_process(COMMAND ${run_UNPARSED_ARGUMENTS} ${where}
    INPUT_FILE /dev/null RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    set(output "")
    if(run_LOG)
      file(READ "${run_LOG}" output)
    endif()
    list(JOIN run_UNPARSED_ARGUMENTS " " command)
    message(FATAL_ERROR "${command} failed (${result})\n${output}")
  endif()
endfunction()

# make_temporary_folder(variable name): makes a new folder, readable by its
# owner alone, in the system's temporary folder, with a name that begins
# with `name`, and sets `variable` to its path.
function(make_temporary_folder variable name)
  execute_process(COMMAND mktemp -d -t ${name}.XXXXXX
    OUTPUT_VARIABLE folder OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "mktemp failed (${result})")
  endif()
  set(${variable} "${folder}" PARENT_SCOPE)
endfunction()
