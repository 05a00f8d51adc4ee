# Fails unless two release builds of the commit checked out in SOURCE give
# the same bytes. It clones SOURCE twice, into folders of different names
# under a fresh temporary folder, runs the release workflows in the first
# and then, later and in another time zone, in the second, and compares
# fix_npcs.exe, the Linux fix_npcs and both archives byte for byte; it
# checks every archive against its SHA-256 sum with `sha256sum -c`. What is
# not committed is not built.
# The temporary folder is removed on success and kept on failure.

include("${CMAKE_CURRENT_LIST_DIR}/run_checked.cmake")

make_temporary_folder(scratch fix_npcs_reproducible)
message(STATUS "building in ${scratch}, which is kept if the check fails")

set(copies "${scratch}/a" "${scratch}/second-checkout-of-fix_npcs")
set(release_files
  build/release-windows/fix_npcs.exe
  build/release-linux/fix_npcs)
foreach(copy IN LISTS copies)
  if(NOT copy STREQUAL "${scratch}/a")
    # Whole seconds apart at the least, so that any time a build writes
    # into what it makes differs between the two.
    execute_process(COMMAND sleep 2)
  endif()
  run_checked(git clone --quiet --no-hardlinks "${SOURCE}" "${copy}"
    IN "${scratch}" LOG "${copy}.log")
  # In two time zones as well, as builders far apart would be.
  if(copy STREQUAL "${scratch}/a")
    set(zone UTC0)
  else()
    set(zone NZST-13)
  endif()
  foreach(release IN ITEMS release-linux release-windows)
    run_checked("${CMAKE_COMMAND}" -E env TZ=${zone}
      "${CMAKE_COMMAND}" --workflow --preset ${release}
      IN "${copy}" LOG "${copy}.${release}.log")
    file(GLOB archives RELATIVE "${copy}"
      "${copy}/build/${release}/fix_npcs-*.tar.gz"
      "${copy}/build/${release}/fix_npcs-*.zip")
    if(NOT archives)
      message(FATAL_ERROR "${release} made no archive in ${copy}")
    endif()
    foreach(archive IN LISTS archives)
      get_filename_component(folder "${copy}/${archive}" DIRECTORY)
      get_filename_component(name "${archive}" NAME)
      run_checked(sha256sum -c "${name}.sha256"
        IN "${folder}" LOG "${copy}.sha256.log")
      list(APPEND release_files "${archive}" "${archive}.sha256")
    endforeach()
  endforeach()
endforeach()

list(REMOVE_DUPLICATES release_files)
list(GET copies 0 first)
list(GET copies 1 second)
foreach(file IN LISTS release_files)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
    "${first}/${file}" "${second}/${file}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${file} differs between the two builds; "
      "they are kept in ${scratch}")
  endif()
  file(SHA256 "${first}/${file}" sum)
  message(STATUS "the same in both builds: ${file} ${sum}")
endforeach()
file(REMOVE_RECURSE "${scratch}")
