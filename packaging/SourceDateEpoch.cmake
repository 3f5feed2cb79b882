# Sets SOURCE_DATE_EPOCH (a CMake variable) to the time every generated date
# and time stamp uses, so that two builds of one commit give the same bytes:
# the environment's SOURCE_DATE_EPOCH when given, else the time of the last
# commit, else (a source tree outside git) the date of the change log's
# latest entry. Used at configure time and by the package scripts.
#
#   varkelon_source_date_epoch(SOURCE_DIR)
function(varkelon_source_date_epoch source_dir)
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(epoch STREQUAL "")
    execute_process(COMMAND git -C ${source_dir} log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_status ERROR_QUIET)
    if(NOT git_status EQUAL 0)
      set(epoch "")
    endif()
  endif()
  if(epoch STREQUAL "")
    execute_process(COMMAND dpkg-parsechangelog -l ${source_dir}/packaging/changelog -STimestamp
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "No time for SOURCE_DATE_EPOCH: neither git nor dpkg-parsechangelog gave one")
  endif()
  set(SOURCE_DATE_EPOCH ${epoch} PARENT_SCOPE)
endfunction()
