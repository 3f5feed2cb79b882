# CPack runs this on the staged files of every package, after its strip and
# before it packs them (CPACK_PRE_BUILD_SCRIPTS): the compiler's .comment and
# the plain .note sections are of no use in an installed program, and Debian
# removes them as its own packages' strip does. The build id stays.
file(GLOB_RECURSE staged LIST_DIRECTORIES false ${CPACK_TEMPORARY_DIRECTORY}/*)
foreach(file IN LISTS staged)
  if(IS_SYMLINK ${file})
    continue()
  endif()
  file(READ ${file} magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND strip --remove-section=.comment --remove-section=.note ${file}
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
