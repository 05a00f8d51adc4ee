# Run by CPack after it has made an archive (CPACK_POST_BUILD_SCRIPTS), on
# each of CPACK_PACKAGE_FILES, before it writes the archive's SHA-256 sum:
# rewrites the archive so that the same commit always gives the same bytes.
# Every entry gets the time SOURCE_DATE_EPOCH: the variable of that name if
# it is set, else the committer date of the commit in
# CPACK_FIX_NPCS_SOURCE_DIR, else CPACK_FIX_NPCS_FALLBACK_DATE. A tar.gz is
# made anew by GNU tar and gzip with names sorted, numeric owner 0 and no
# gzip header time; a zip is normalised by strip-nondeterminism, which sets
# its times, drops its owners and sorts its entries.

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git -C "${CPACK_FIX_NPCS_SOURCE_DIR}"
      log -1 --format=%ct
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
    set(epoch "${CPACK_FIX_NPCS_FALLBACK_DATE}")
  endif()
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: ${epoch}")
endif()

include("${CMAKE_CURRENT_LIST_DIR}/run_checked.cmake")

foreach(archive IN LISTS CPACK_PACKAGE_FILES)
  if(archive MATCHES "\\.tar\\.gz$")
    set(unpacked "${archive}.unpacked")
    file(REMOVE_RECURSE "${unpacked}")
    file(MAKE_DIRECTORY "${unpacked}")
    run_checked(tar -xzf "${archive}" -C "${unpacked}")
    file(REMOVE "${archive}")
    # The mode bits are kept; group and other lose write, whatever the
    # builder's umask.
    run_checked(sh -c [=[
      cd "$1" && LC_ALL=C ls -A | LC_ALL=C tar --sort=name --mtime="@$2" \
        --owner=0 --group=0 --numeric-owner --mode=go-w --format=gnu \
        --files-from=- -cf - | gzip -9 -n > "$3"
      ]=] sh "${unpacked}" "${epoch}" "${archive}")
    file(REMOVE_RECURSE "${unpacked}")
  elseif(archive MATCHES "\\.zip$")
    run_checked(strip-nondeterminism --type zip --timestamp "${epoch}"
      "${archive}")
  else()
    message(FATAL_ERROR "no way known to make ${archive} reproducible")
  endif()
  message(STATUS "${archive}: entries dated ${epoch}")
endforeach()
